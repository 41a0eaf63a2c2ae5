#include "app/application_look.h"
#include "app/command_line.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "port/port_platform.h"
#include "port/simulated/simulated_platform.h"
#include "port/system_platform.h"
#include "ui/qt_message_service.h"

#include <QApplication>

#include <memory>

using namespace voltarix;

int main(int argc, char** argv) {
    QCoreApplication::setApplicationName(QStringLiteral("voltarix"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VOLTARIX_VERSION));
    {
        // --help, --version and a wrong option answer without opening a display.
        QCoreApplication probe(argc, argv);
        const app::CommandLine checked = app::CommandLine::parse(QCoreApplication::arguments());
        if (checked.action == app::CommandLine::Action::Exit) {
            checked.print();
            return checked.exitCode;
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
        std::unique_ptr<port::PortPlatform> platform;
        if (commandLine.simulate)
            platform = std::make_unique<port::SimulatedPlatform>(port::SimulatedPlatform::Clock{},
                                                                 commandLine.simulateBaud);
        else
            platform = port::createSystemPlatform();
        return std::make_unique<app::TForm1>(std::move(platform), messages);
    });
    startup.run();
    // Closing the main window ends the program, whatever other window is open.
    QObject::connect(&startup.mainWindow(), &app::TForm1::closed, &application,
                     &QCoreApplication::quit);
    return QApplication::exec();
}
