#pragma once

#include <QObject>

class QTimer;
class QToolButton;

namespace voltarix::chart {
class Chart;
}

namespace voltarix::regdiagram {

class RegisterPage;

// Scrolling of the register chart: "<" and ">" by one cycle, "<<" and ">>" by
// a page, and hold-to-repeat on "<" and ">" through Timer5. A mouse press on
// either button (any mouse button) starts the repeat in that button's
// direction and the release stops it, wherever the pointer is by then; the
// click that follows a left-button release over the button adds its own step
// of one. Scrolling has no limit at
// the ends of the data.
class RegisterScroller : public QObject {
    Q_OBJECT
public:
    enum Direction { Backward = 0, Forward = 1 };

    // Timer5 is a child of timerOwner (the main window), which stops it before
    // anything it reaches is gone.
    RegisterScroller(RegisterPage& page, chart::Chart& chart, QObject* timerOwner,
                     QObject* parent = nullptr);

    void SpeedButton6Click();  // ">"
    void SpeedButton16Click(); // "<"
    void SpeedButton22Click(); // ">>"
    void SpeedButton23Click(); // "<<"
    void Timer5Timer();
    void SpinEdit7Change();

    // The repeat interval in milliseconds, from "Скорость прокруч. страниц" or
    // from the 17-bit diagram's own repeat field; the last change wins. An
    // interval of 0 or below keeps the timer from ticking.
    void setRepeatInterval(int milliseconds);
    int repeatInterval() const { return interval_; }

    QTimer* timer5() const { return timer5_; }
    int direction() const { return direction_; }

private:
    void press(Direction direction);
    void release();
    void applyTimer();
    void scroll(int cycles);

    RegisterPage& page_;
    chart::Chart& chart_;
    QTimer* timer5_;
    int direction_ = Backward;
    int interval_ = 100;
    bool held_ = false;
};

} // namespace voltarix::regdiagram
