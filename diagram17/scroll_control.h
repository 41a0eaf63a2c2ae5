#pragma once

#include <QObject>

class QTimer;
class QToolButton;

namespace voltarix::chart {
class ChartAxis;
}

namespace voltarix::ui {
class SpinEdit;
}

namespace voltarix::diagram17 {

struct Diagram17Controls;

// The scroll buttons of the 17-bit chart: a click moves the range by 10
// cycles, holding a button repeats the scroll step ("Циклов на клик") at the
// repeat interval of Timer3 for as long as the button is held down, wherever
// the pointer goes meanwhile. A click made by the program never starts the
// repeat: only a mouse press does.
class ScrollControl : public QObject {
    Q_OBJECT
public:
    static constexpr int kClickCycles = 10;

    ScrollControl(const Diagram17Controls& controls, chart::ChartAxis& bottomAxis, QObject* parent);

    void SpeedButton9Click();
    void SpeedButton13Click();
    void mouseDown(int direction);
    void mouseUp();
    void Timer3Timer();
    // The repeat interval; 0 or less stops the ticks.
    void setRepeatInterval(int milliseconds);

    // 1 forward, 0 back.
    int directionFlag() const { return direction_; }

private:
    chart::ChartAxis& axis_;
    const ui::SpinEdit& step_;
    QTimer& repeat_;
    int direction_ = 0;
    bool held_ = false;
};

} // namespace voltarix::diagram17
