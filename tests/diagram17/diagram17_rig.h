#pragma once

#include "chart/chart.h"
#include "diagram17/capture_loop.h"
#include "diagram17/cycle_counter.h"
#include "diagram17/diagram17.h"
#include "diagram17/gauge_model.h"
#include "panel/window_rig.h"
#include "ui/click_registry.h"
#include "ui/spin_edit.h"
#include "ui/status_bar.h"

#include <QSlider>
#include <QTimer>
#include <QToolButton>

#include <cstdint>
#include <functional>

namespace voltarix::testkit {

// The real window over the fake port at $378, with the 17-bit diagram's
// controls at hand. Its capture loop handles the events after every cycle,
// so that a test can act between any two cycles (the sampler still reads
// ahead of the loop); a rig made with batches of the loop's own size is for
// what the batches change.
struct Diagram17Rig : Port378Rig {
    enum class Batches { EveryCycle, AsTheLoopTakesThem };
    explicit Diagram17Rig(Batches batches = Batches::EveryCycle) {
        if (batches == Batches::EveryCycle)
            d17().loop().setBatchCycles(1);
    }

    diagram17::Diagram17& d17() { return window->diagram17(); }
    chart::ChartModel& chart() { return d17().chart2().model(); }
    std::int64_t counter() { return d17().counter().value(); }
    ui::SpinEdit* spin(const QString& name) { return find<ui::SpinEdit>(name); }
    QToolButton* button(const QString& name) { return find<QToolButton>(name); }
    QString pagePanel() { return window->statusBar1().panelText(2); }

    // A start by the user: the click runs the whole run.
    void clickStart() { button("SpeedButton7")->click(); }
    // Stops the live monitor's timers, so that only the sampler reads the
    // port and a scripted read count is a count of cycles.
    void stopLiveMonitor() {
        find<QTimer>("Timer1")->stop();
        find<QTimer>("Timer2")->stop();
    }
    int questions() const {
        int n = 0;
        for (const auto& box : messages.boxes)
            n += box.kind == RecordingMessageService::Kind::Question ? 1 : 0;
        return n;
    }
    // The first chart series of the 17 traces (trace k is series first + k).
    chart::ChartSeries& trace(int k) { return chart().series(chart().seriesCount() - 17 + k); }
};

// Runs an action once, from the event handling of the first cycle that
// brings the counter to at least `cycle`.
class AtCycle : public QObject {
public:
    AtCycle(Diagram17Rig& rig, std::int64_t cycle, std::function<void()> action)
        : rig_(rig), cycle_(cycle), action_(std::move(action)) {
        connect(&timer_, &QTimer::timeout, this, [this] {
            if (done_ || rig_.counter() < cycle_)
                return;
            done_ = true;
            seenAt = rig_.counter();
            timer_.stop();
            action_();
        });
        timer_.start(0);
    }
    std::int64_t seenAt = -1;

private:
    Diagram17Rig& rig_;
    std::int64_t cycle_;
    std::function<void()> action_;
    QTimer timer_;
    bool done_ = false;
};

} // namespace voltarix::testkit
