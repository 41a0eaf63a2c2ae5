// The real window capturing the simulated port's serial frame, left on screen
// for a look: the frame's rate and the way of reading are chosen, the run
// stops after a frame, and the chart is scrolled to show that frame whole on
// pin 15, as a user would scroll to it.
//
//   capture_demo [baud] [17|3] [seconds to stay]

#include "silent_messages.h"

#include "app/application_look.h"
#include "app/main_window.h"
#include "chart/chart.h"
#include "diagram17/cycle_times.h"
#include "diagram17/diagram17.h"
#include "port/simulated/simulated_platform.h"
#include "ui/click_registry.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

#include <cstdio>
#include <cstring>
#include <memory>

using namespace voltarix;

namespace {

// Trace 4 is pin 15, the serial line.
constexpr std::uint32_t serialLine = 1u << 4;

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    app::applyApplicationLook(application);
    const int baud = argc > 1 ? std::atoi(argv[1]) : 19200;
    const bool coherent = !(argc > 2 && std::strcmp(argv[2], "17") == 0);
    const int stay = argc > 3 ? std::atoi(argv[3]) : 60;

    bench::SilentMessages messages;
    app::TForm1 window(
        std::make_unique<port::SimulatedPlatform>(port::SimulatedPlatform::Clock{}, baud),
        messages);
    window.show();
    window.findChild<QCheckBox*>(QStringLiteral("CheckBox6"))->click();
    if (coherent)
        window.findChild<QCheckBox*>(QStringLiteral("CheckBox32"))->click();

    // Stops once a frame has been recorded and the line has been idle for a
    // while after it, then shows the frame from its first edge on.
    const diagram17::CycleTimes& times = window.diagram17().cycleTimes();
    const std::uint64_t frameUs = 80ull * 1'000'000 / static_cast<std::uint64_t>(baud);
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        std::uint64_t lastEdgeUs = 0;
        std::uint64_t lastEdgeCycle = 0;
        std::uint64_t latestUs = 0;
        std::uint64_t frameStart = 0;
        int edges = 0;
        std::uint32_t previous = serialLine;
        times.forEach([&](const diagram17::CycleTimes::Entry& entry) {
            if ((entry.levels ^ previous) & serialLine) {
                if (entry.timeUs > lastEdgeUs + frameUs)
                    frameStart = entry.cycle;
                lastEdgeUs = entry.timeUs;
                lastEdgeCycle = entry.cycle;
                ++edges;
            }
            previous = entry.levels;
            latestUs = entry.timeUs;
        });
        if (edges < 20 || latestUs < lastEdgeUs + frameUs)
            return;
        watch.stop();
        window.clicks().click(QStringLiteral("SpeedButton8"));
        // The frame with a tenth of its width on either side.
        const double width = static_cast<double>(lastEdgeCycle - frameStart);
        chart::ChartAxis& axis = window.diagram17().chart2().bottomAxis();
        axis.setAutomatic(false);
        axis.setMinMax(static_cast<double>(frameStart) - width / 10,
                       static_cast<double>(lastEdgeCycle) + width / 10);
    });
    QTimer::singleShot(500, &window, [&] {
        watch.start(1);
        window.clicks().click(QStringLiteral("SpeedButton7"));
        if (auto* tabs = window.findChild<QTabWidget*>())
            tabs->setCurrentIndex(3);
    });
    QTimer::singleShot(stay * 1000, &application, &QApplication::quit);
    return QApplication::exec();
}
