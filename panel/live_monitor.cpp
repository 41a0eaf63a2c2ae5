#include "panel/live_monitor.h"

#include "panel/bits_panel.h"
#include "panel/direction_indication.h"
#include "panel/pin_model.h"
#include "panel/register_format.h"
#include "panel/register_panel.h"
#include "port/lpt_port_connection.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTimer>

namespace voltarix::panel {

namespace {

QTimer* makeTimer(const QString& name, QObject* owner) {
    auto* timer = new QTimer(owner);
    timer->setObjectName(name);
    timer->setInterval(1);
    // The platform's coarse timers would stretch a 1 ms request to several.
    timer->setTimerType(Qt::PreciseTimer);
    return timer;
}

void showRegister(QLineEdit* hexField, QLineEdit* decimalField, std::uint8_t value) {
    setTextIfDifferent(hexField, hexText(value));
    setTextIfDifferent(decimalField, decimalText(value));
}

} // namespace

LiveMonitor::LiveMonitor(PinModel& pins, RegisterPanel& registers, BitsPanel& bits,
                         DirectionIndication& direction, QCheckBox& monitoring, QObject* timerOwner,
                         QObject* parent)
    : QObject(parent), pins_(pins), registers_(registers), bits_(bits), direction_(direction),
      monitoring_(monitoring), timer1_(makeTimer(QStringLiteral("Timer1"), timerOwner)),
      timer2_(makeTimer(QStringLiteral("Timer2"), timerOwner)) {
    connect(timer1_, &QTimer::timeout, this, &LiveMonitor::Timer1Timer);
    connect(timer2_, &QTimer::timeout, this, &LiveMonitor::Timer2Timer);
    timer1_->start();
    timer2_->start();
}

void LiveMonitor::Timer1Timer() {
    port::TLptPortConnection& lpt = pins_.connection();
    showRegister(registers_.Edit1, registers_.Edit2,
                 lpt.ReadPort(pins_.SelectedPortCode(), port::RegStatus));
    showRegister(registers_.Edit3, registers_.Edit4,
                 lpt.ReadPort(pins_.SelectedPortCode(), port::RegControl));
    showRegister(registers_.Edit7, registers_.Edit8,
                 lpt.ReadPort(pins_.SelectedPortCode(), port::RegData));
}

void LiveMonitor::Timer2Timer() {
    showDataPins();
    showControlPins();
    showStatusPins();
    if (monitoring_.isChecked())
        monitorDirection();
}

void LiveMonitor::showDataPins() {
    QString text = bits_.Edit11->text();
    putLevel(text, 15, pins_.Pin2());
    putLevel(text, 13, pins_.Pin3());
    putLevel(text, 11, pins_.Pin4());
    putLevel(text, 9, pins_.Pin5());
    putLevel(text, 7, pins_.Pin6());
    putLevel(text, 5, pins_.Pin7());
    putLevel(text, 3, pins_.Pin8());
    putLevel(text, 1, pins_.Pin9());
    setTextIfDifferent(bits_.Edit11, text);
}

void LiveMonitor::showControlPins() {
    QString text = bits_.Edit12->text();
    putLevel(text, 7, pins_.Pin1());
    putLevel(text, 5, pins_.Pin14());
    putLevel(text, 3, pins_.Pin16());
    putLevel(text, 1, pins_.Pin17());
    setTextIfDifferent(bits_.Edit12, text);
}

void LiveMonitor::showStatusPins() {
    QString text = bits_.Edit13->text();
    putLevel(text, 9, pins_.Pin15());
    putLevel(text, 7, pins_.Pin13());
    putLevel(text, 5, pins_.Pin12());
    putLevel(text, 3, pins_.Pin10());
    putLevel(text, 1, pins_.Pin11());
    setTextIfDifferent(bits_.Edit13, text);
}

void LiveMonitor::monitorDirection() {
    if (pins_.connection().IsBidirectional(pins_.SelectedPortCode()))
        direction_.apply();
    direction_.paintIndicatorInDataColour();
    direction_.showInStatusBar();
}

} // namespace voltarix::panel
