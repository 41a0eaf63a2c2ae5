#pragma once

#include <QWidget>

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QToolButton;

namespace voltarix::ui {
class GlyphButton;
class SpinEdit;
} // namespace voltarix::ui

namespace voltarix::regdiagram {

// The settings tab "Рег. диагр.": which series show, the off switch and its
// indicator, the register chart's tool bar with the cycle counter, cycles per
// page with "Авто", the scroll step and speed, and the driving register. It
// only builds its controls at their design values; RegisterDiagram and
// DiagramViews give them their behaviour.
class RegisterPage : public QWidget {
    Q_OBJECT
public:
    explicit RegisterPage(QWidget* parent = nullptr);

    // Group "Отображать ".
    QCheckBox* CheckBox1 = nullptr; // "Входные": Series3, status
    QCheckBox* CheckBox2 = nullptr; // "Контроля": Series2, control
    QCheckBox* CheckBox3 = nullptr; // "Выходные": Series1, data
    QCheckBox* CheckBox5 = nullptr; // "OFF"
    ui::GlyphButton* SpeedButton21 = nullptr;
    // The register chart's tool bar, left to right.
    QToolButton* SpeedButton16 = nullptr; // "<"
    QToolButton* SpeedButton6 = nullptr;  // ">"
    QLineEdit* Edit17 = nullptr;          // register cycle counter
    QToolButton* SpeedButton23 = nullptr; // "<<"
    QToolButton* SpeedButton22 = nullptr; // ">>"
    QToolButton* SpeedButton24 = nullptr; // "#"
    // Group "Циклы".
    ui::SpinEdit* SpinEdit5 = nullptr;
    QCheckBox* CheckBox26 = nullptr; // "Авто"
    // Group "Прокрут.".
    ui::SpinEdit* SpinEdit6 = nullptr;
    ui::SpinEdit* SpinEdit7 = nullptr;
    // Group "Управлен.": the driving register.
    QRadioButton* RadioButton1 = nullptr; // status
    QRadioButton* RadioButton2 = nullptr; // control
    QRadioButton* RadioButton3 = nullptr; // data
    // The register page number, hidden; its change marks a new page.
    QLineEdit* Edit19 = nullptr;

private:
    void buildSeriesGroup();
    void buildToolBar();
    void buildCyclesGroup();
    void buildScrollGroup();
    void buildDrivingGroup();
};

} // namespace voltarix::regdiagram
