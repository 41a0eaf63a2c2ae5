#pragma once

#include <QObject>

class QCheckBox;
class QTimer;

namespace voltarix::panel {

class BitsPanel;
class DirectionIndication;
class PinModel;
class RegisterPanel;

// Keeps the port panel live: Timer1 shows the three registers as numbers,
// Timer2 the 17 pins as strings and, while monitoring is on, the direction.
//
// Every tick reads the hardware afresh. A field's text is replaced only when
// it differs, so the decimal fields notify their listeners exactly when a
// register changes; the cost of an idle tick is then only the reads.
class LiveMonitor : public QObject {
    Q_OBJECT
public:
    // The timers are children of timerOwner (the main window), which stops
    // them before it lets the port go.
    LiveMonitor(PinModel& pins, RegisterPanel& registers, BitsPanel& bits,
                DirectionIndication& direction, QCheckBox& monitoring, QObject* timerOwner,
                QObject* parent);

    void Timer1Timer();
    void Timer2Timer();

    QTimer* timer1() const { return timer1_; }
    QTimer* timer2() const { return timer2_; }

private:
    void showDataPins();
    void showControlPins();
    void showStatusPins();
    void monitorDirection();

    PinModel& pins_;
    RegisterPanel& registers_;
    BitsPanel& bits_;
    DirectionIndication& direction_;
    QCheckBox& monitoring_;
    QTimer* timer1_;
    QTimer* timer2_;
};

} // namespace voltarix::panel
