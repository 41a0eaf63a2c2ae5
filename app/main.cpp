#include "app/application_look.h"
#include "app/main_window.h"
#include "port/lpt_port_connection.h"
#include "port/port_platform.h"
#include "port/simulated/simulated_platform.h"
#include "port/system_platform.h"
#include "ui/qt_message_service.h"

#include <QApplication>

#include <cstring>
#include <memory>

namespace {

// The only option: run on the built-in simulated port instead of hardware.
// Everything else on the command line is ignored.
bool simulateRequested(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--simulate") == 0)
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    voltarix::app::applyApplicationLook(app);

    std::unique_ptr<voltarix::port::PortPlatform> platform;
    if (simulateRequested(argc, argv))
        platform = std::make_unique<voltarix::port::SimulatedPlatform>();
    else
        platform = voltarix::port::createSystemPlatform();

    voltarix::ui::QtMessageService messages;
    voltarix::app::TForm1 window(std::move(platform), messages);
    if (window.lpt().IsReady()) {
        window.showMaximized();
        // Ask for the focus also where no window manager hands it out, so that
        // the window's activation refresh runs at start everywhere.
        window.activateWindow();
    }
    return QApplication::exec();
}
