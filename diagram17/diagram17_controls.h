#pragma once

#include <array>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QProgressBar;
class QRadioButton;
class QSlider;
class QTabWidget;
class QTimer;
class QToolButton;
class QWidget;

namespace voltarix::chart {
class Chart;
}

namespace voltarix::ui {
class SpinEdit;
}

namespace voltarix::diagram17 {

// Every control of the 17-bit diagram, built where the window's design puts
// it: the chart in the chart panel, the two run tool bars under the tabs, and
// the tabs "17 bit диагр.", "Ресурсы", "Вид 17" and "Управ. 17".
struct Diagram17Controls {
    // Builds the controls. The tab pages are taken from `tabs` by their
    // object names (TabSheet2, TabSheet4, TabSheet6, TabSheet7); the timers
    // are children of `timerOwner`, the main window, which stops them first.
    Diagram17Controls(QWidget& chartPanel, QFrame& settingsPanel, QTabWidget& tabs,
                      QWidget& timerOwner);

    chart::Chart* Chart2 = nullptr;
    QLineEdit* Edit18 = nullptr; // hidden page number field inside the chart

    // ToolBar3
    QFrame* ToolBar3 = nullptr;
    QToolButton* SpeedButton7 = nullptr;  // start
    QToolButton* SpeedButton8 = nullptr;  // stop
    QToolButton* SpeedButton13 = nullptr; // scroll back
    QToolButton* SpeedButton9 = nullptr;  // scroll forward
    QLineEdit* Edit16 = nullptr;          // total cycles
    QToolButton* SpeedButton17 = nullptr; // show / hide cycles
    // ToolBar4
    QFrame* ToolBar4 = nullptr;
    QSlider* TrackBar1 = nullptr;
    QProgressBar* Gauge1 = nullptr;
    QToolButton* SpeedButton19 = nullptr; // page back
    QToolButton* SpeedButton18 = nullptr; // page forward

    // "17 bit диагр."
    ui::SpinEdit* SpinEdit1 = nullptr; // cycles per page
    QCheckBox* CheckBox4 = nullptr;
    ui::SpinEdit* SpinEdit2 = nullptr; // cycles to record
    QCheckBox* CheckBox6 = nullptr;
    ui::SpinEdit* SpinEdit3 = nullptr; // scroll step
    ui::SpinEdit* SpinEdit4 = nullptr; // repeat interval
    QRadioButton* RadioButton4 = nullptr;
    QRadioButton* RadioButton5 = nullptr;
    QRadioButton* RadioButton6 = nullptr;
    QCheckBox* CheckBox7 = nullptr;
    QCheckBox* CheckBox30 = nullptr;

    // "Ресурсы": the visibility boxes in trace order (CheckBox9 .. CheckBox25).
    std::array<QCheckBox*, 17> visibilityBoxes{};
    QCheckBox* CheckBox32 = nullptr; // one read of each register a cycle
    QLabel* Label3 = nullptr;        // time the sampler missed

    // "Вид 17"
    QRadioButton* RadioButton11 = nullptr; // "Циклы"
    QRadioButton* RadioButton15 = nullptr; // "Час, мин, "
    QRadioButton* RadioButton12 = nullptr; // "Минуты, сек." (never choosable)
    QRadioButton* RadioButton13 = nullptr; // "Час, мин, сек"
    QRadioButton* RadioButton14 = nullptr; // "День, мес, год"
    QLineEdit* Edit20 = nullptr;
    QToolButton* SpeedButton31 = nullptr; // "Цвет"

    // "Управ. 17"
    QRadioButton* RadioButton16 = nullptr;
    QRadioButton* RadioButton17 = nullptr;
    QRadioButton* RadioButton18 = nullptr;
    QRadioButton* RadioButton19 = nullptr;
    ui::SpinEdit* SpinEdit9 = nullptr;

    QTimer* Timer3 = nullptr; // scroll repeat
    QTimer* Timer4 = nullptr; // page counter
    QTimer* Timer6 = nullptr; // label clock

private:
    void buildChart(QWidget& chartPanel);
    void buildRunToolBar(QFrame& settingsPanel);
    void buildGaugeToolBar(QFrame& settingsPanel);
    void buildDensityTab(QWidget& page);
    void buildResourcesTab(QWidget& page);
    void buildLabelTab(QWidget& page);
    void buildSynchronousTab(QWidget& page);
    void buildTimers(QWidget& timerOwner);
};

} // namespace voltarix::diagram17
