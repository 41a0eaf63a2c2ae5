#pragma once

#include "fake_cpu_clock.h"
#include "panel/window_rig.h"

#include "app/main_window.h"
#include "ui/click_registry.h"

#include <QApplication>
#include <QTest>

namespace voltarix::testkit {

// The real main window over the fake port, with a processor clock of its
// own, so that showing the window measures in no time.
struct ShellRig : WindowRig {
    ShellRig() : clock(1000.0) { window->setCpuSpeedMeter(meterOn(clock)); }

    // Shows the window and makes it the active one, as the shortcut map needs.
    bool showActive() {
        window->show();
        QApplication::setActiveWindow(window.get());
        return QTest::qWaitForWindowActive(window.get());
    }

    // Puts a recording operation under each name; ran gets the names in the
    // order the operations run.
    void record(const QStringList& names) {
        for (const QString& name : names)
            window->clicks().add(name, [this, name] { ran << name; });
    }

    FakeCycleClock clock;
    QStringList ran;
};

} // namespace voltarix::testkit
