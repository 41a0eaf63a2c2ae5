#include "app/application_look.h"
#include "app/command_line.h"
#include "app/main_window.h"
#include "app/port_opening.h"
#include "app/startup.h"
#include "cli/capture_command.h"
#include "port/port_platform.h"
#include "ui/qt_message_service.h"

#include <QApplication>

#include <memory>

using namespace voltarix;

int main(int argc, char** argv) {
    QCoreApplication::setApplicationName(QStringLiteral("voltarix"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VOLTARIX_VERSION));
    {
        // --help, --version, a wrong option and a capture to a file answer
        // without opening a display.
        QCoreApplication probe(argc, argv);
        const app::CommandLine checked = app::CommandLine::parse(QCoreApplication::arguments());
        if (checked.action == app::CommandLine::Action::Exit) {
            checked.print();
            return checked.exitCode;
        }
        if (checked.action == app::CommandLine::Action::Capture) {
            cli::CaptureCommand capture(checked.capture, checked.usage, [&checked] {
                return app::PortOpening::platform(checked.simulate, checked.simulateBaud);
            });
            return capture.run();
        }
    }

    QApplication application(argc, argv);
    const app::CommandLine commandLine = app::CommandLine::parse(QCoreApplication::arguments());
    if (commandLine.action == app::CommandLine::Action::Exit) {
        commandLine.print();
        return commandLine.exitCode;
    }
    app::applyApplicationLook(application);

    ui::QtMessageService messages;
    app::Startup startup([&] {
        return std::make_unique<app::TForm1>(
            app::PortOpening::platform(commandLine.simulate, commandLine.simulateBaud), messages);
    });
    startup.run();
    // Closing the main window ends the program, whatever other window is open.
    QObject::connect(&startup.mainWindow(), &app::TForm1::closed, &application,
                     &QCoreApplication::quit);
    return QApplication::exec();
}
