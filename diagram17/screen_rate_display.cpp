#include "diagram17/screen_rate_display.h"

#include "diagram17/cycle_counter.h"
#include "diagram17/gauge_model.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLineEdit>
#include <QProgressBar>
#include <QTimer>

#include <algorithm>
#include <limits>

namespace voltarix::diagram17 {

namespace {

// The bar counts in int; a range beyond that is shown scaled down. A range of
// 0 shows 0 % as a gauge with nothing to count does: Qt's bar would turn it
// into its animated busy bar.
void showGauge(QProgressBar& bar, const GaugeModel& gauge) {
    constexpr std::int64_t intLimit = std::numeric_limits<int>::max();
    const std::int64_t scale = gauge.maximum() / intLimit + 1;
    const int maximum = std::max(1, static_cast<int>(gauge.maximum() / scale));
    const int position = static_cast<int>(gauge.position() / scale);
    if (bar.maximum() != maximum || bar.minimum() != 0)
        bar.setRange(0, maximum);
    if (bar.value() != position)
        bar.setValue(position);
}

} // namespace

ScreenRateDisplay::ScreenRateDisplay(const CycleCounter& counter, const GaugeModel& gauge,
                                     QLineEdit& counterField, QProgressBar& gaugeBar,
                                     QObject* parent)
    : QObject(parent), counter_(counter), gauge_(gauge), counterField_(counterField),
      gaugeBar_(gaugeBar), timer_(new QTimer(this)) {
    timer_->setInterval(kIntervalMs);
    connect(timer_, &QTimer::timeout, this, &ScreenRateDisplay::flush);
    flush();
}

void ScreenRateDisplay::runBegins() {
    if (runs_++ > 0)
        return;
    timer_->start();
    QCoreApplication::instance()->installEventFilter(this);
    emit runsBegan();
}

void ScreenRateDisplay::runEnds() {
    if (runs_ > 0 && --runs_ == 0) {
        timer_->stop();
        QCoreApplication::instance()->removeEventFilter(this);
        emit runsEnded();
    }
    flush();
}

bool ScreenRateDisplay::eventFilter(QObject*, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::ContextMenu:
        flush();
        break;
    default:
        break;
    }
    return false;
}

void ScreenRateDisplay::flush() {
    const QString text = counter_.text();
    if (counterField_.text() != text)
        counterField_.setText(text);
    showGauge(gaugeBar_, gauge_);
    emit refreshed();
}

} // namespace voltarix::diagram17
