#include "diagram17/scroll_control.h"

#include "chart/chart_axis.h"
#include "diagram17/diagram17_controls.h"
#include "ui/hold_to_repeat.h"
#include "ui/spin_edit.h"

#include <QTimer>
#include <QToolButton>

namespace voltarix::diagram17 {

ScrollControl::ScrollControl(const Diagram17Controls& controls, chart::ChartAxis& bottomAxis,
                             QObject* parent)
    : QObject(parent), axis_(bottomAxis), step_(*controls.SpinEdit3), repeat_(*controls.Timer3) {
    // The toolkit delivers press, ticks, release and then the click.
    auto* hold = new ui::HoldToRepeat([this](int direction) { mouseDown(direction); },
                                      [this] { mouseUp(); }, this);
    hold->watch(*controls.SpeedButton9, 1);
    hold->watch(*controls.SpeedButton13, 0);
    connect(&repeat_, &QTimer::timeout, this, &ScrollControl::Timer3Timer);
}

void ScrollControl::SpeedButton9Click() {
    direction_ = 1;
    axis_.scroll(kClickCycles);
}

void ScrollControl::SpeedButton13Click() {
    direction_ = 0;
    axis_.scroll(-kClickCycles);
}

void ScrollControl::mouseDown(int direction) {
    direction_ = direction;
    held_ = true;
    if (repeat_.interval() > 0)
        repeat_.start();
}

void ScrollControl::mouseUp() {
    held_ = false;
    repeat_.stop();
}

void ScrollControl::Timer3Timer() {
    const int step = step_.value();
    if (direction_ == 1)
        axis_.scroll(step);
    else if (direction_ == 0)
        axis_.scroll(-step);
}

void ScrollControl::setRepeatInterval(int milliseconds) {
    // A timer with no interval never ticks.
    repeat_.setInterval(std::max(milliseconds, 0));
    if (milliseconds <= 0)
        repeat_.stop();
    else if (held_ && !repeat_.isActive())
        repeat_.start();
}

} // namespace voltarix::diagram17
