#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QSlider;

namespace voltarix::ui {
class SpinEdit;
}

namespace voltarix::regdiagram {

// The settings tab "3D": the 3D switch, angles, zoom and depth of the 17-bit
// chart (group "17 bit диагр.") and of the register chart (group "Reg.
// диагр."), each slider with a label that mirrors its position. Built at the
// design values; DiagramViews gives the controls their behaviour.
class View3DPage : public QWidget {
    Q_OBJECT
public:
    explicit View3DPage(QWidget* parent = nullptr);

    // Group "17 bit диагр.".
    QCheckBox* CheckBox28 = nullptr;
    QSlider* TrackBar2 = nullptr; // rotation
    QSlider* TrackBar3 = nullptr; // zoom
    QSlider* TrackBar4 = nullptr; // elevation
    ui::SpinEdit* SpinEdit8 = nullptr;
    QLabel* StaticText1 = nullptr;
    QLabel* StaticText2 = nullptr;
    QLabel* StaticText3 = nullptr;
    // Group "Reg. диагр.".
    QCheckBox* CheckBox29 = nullptr;
    QSlider* TrackBar5 = nullptr; // no function, always disabled
    QSlider* TrackBar6 = nullptr; // zoom
    QSlider* TrackBar7 = nullptr; // depth
    QLabel* StaticText4 = nullptr;
    QLabel* StaticText5 = nullptr;
    QLabel* StaticText6 = nullptr;

private:
    void buildTraceGroup();
    void buildRegisterGroup();
};

} // namespace voltarix::regdiagram
