#pragma once

#include <QObject>

#include <array>

class QCheckBox;
class QRadioButton;

namespace voltarix::chart {
class ChartModel;
}

namespace voltarix::diagram17 {

struct Diagram17Controls;

// Which of the 17 traces are drawn: the modes of the group "Режим" and the
// visibility boxes on "Ресурсы". The capture loop records all 17 in any case.
class DisplayModes : public QObject {
    Q_OBJECT
public:
    DisplayModes(const Diagram17Controls& controls, chart::ChartModel& chart2, QObject* parent);

    // "Нормальный": each trace as its box says.
    void RadioButton4Click();
    // "Скоростной": nothing drawn.
    void RadioButton5Click();
    // "Средн + цикл": only the bottom trace (pin 11) with its labels.
    void RadioButton6Click();
    void visibilityBoxClick(int trace);

private:
    void setTraceActive(int trace, bool active);

    chart::ChartModel& chart_;
    QRadioButton& normal_;
    QRadioButton& fast_;
    QRadioButton& oneTrace_;
    std::array<QCheckBox*, 17> boxes_;
    int firstTrace_;
};

} // namespace voltarix::diagram17
