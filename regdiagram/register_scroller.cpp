#include "regdiagram/register_scroller.h"

#include "chart/chart.h"
#include "regdiagram/register_page.h"
#include "ui/hold_to_repeat.h"
#include "ui/spin_edit.h"

#include <QTimer>
#include <QToolButton>

namespace voltarix::regdiagram {

RegisterScroller::RegisterScroller(RegisterPage& page, chart::Chart& chart, QObject* timerOwner,
                                   QObject* parent)
    : QObject(parent), page_(page), chart_(chart), timer5_(new QTimer(timerOwner)) {
    timer5_->setObjectName(QStringLiteral("Timer5"));
    timer5_->setInterval(interval_);
    connect(timer5_, &QTimer::timeout, this, &RegisterScroller::Timer5Timer);
    connect(page_.SpeedButton6, &QToolButton::clicked, this, &RegisterScroller::SpeedButton6Click);
    connect(page_.SpeedButton16, &QToolButton::clicked, this,
            &RegisterScroller::SpeedButton16Click);
    connect(page_.SpeedButton22, &QToolButton::clicked, this,
            &RegisterScroller::SpeedButton22Click);
    connect(page_.SpeedButton23, &QToolButton::clicked, this,
            &RegisterScroller::SpeedButton23Click);
    connect(page_.SpinEdit7, &ui::SpinEdit::textChanged, this, &RegisterScroller::SpinEdit7Change);
    auto* hold =
        new ui::HoldToRepeat([this](int direction) { press(static_cast<Direction>(direction)); },
                             [this] { release(); }, this);
    hold->watch(*page_.SpeedButton6, Forward);
    hold->watch(*page_.SpeedButton16, Backward);
}

void RegisterScroller::scroll(int cycles) {
    chart_.bottomAxis().scroll(cycles);
}

void RegisterScroller::SpeedButton6Click() {
    direction_ = Forward;
    scroll(1);
}

void RegisterScroller::SpeedButton16Click() {
    direction_ = Backward;
    scroll(-1);
}

void RegisterScroller::SpeedButton22Click() {
    scroll(page_.SpinEdit5->value());
}

void RegisterScroller::SpeedButton23Click() {
    scroll(-page_.SpinEdit5->value());
}

void RegisterScroller::Timer5Timer() {
    const int step = page_.SpinEdit6->value();
    if (direction_ == Forward)
        scroll(step);
    else if (direction_ == Backward)
        scroll(-step);
}

void RegisterScroller::SpinEdit7Change() {
    setRepeatInterval(page_.SpinEdit7->value());
}

void RegisterScroller::setRepeatInterval(int milliseconds) {
    interval_ = milliseconds;
    if (interval_ > 0)
        timer5_->setInterval(interval_);
    applyTimer();
}

void RegisterScroller::press(Direction direction) {
    direction_ = direction;
    held_ = true;
    applyTimer();
}

void RegisterScroller::release() {
    held_ = false;
    applyTimer();
}

// A new interval restarts a running timer, so its first tick comes one whole
// new interval later.
void RegisterScroller::applyTimer() {
    if (held_ && interval_ > 0)
        timer5_->start();
    else
        timer5_->stop();
}

} // namespace voltarix::regdiagram
