#include "regdiagram/view3d_page.h"

#include "ui/hints.h"
#include "ui/spin_edit.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QSlider>

namespace voltarix::regdiagram {

namespace {

constexpr int rowHeight = 24;
constexpr int firstRow = 34;

struct SliderDesign {
    const char* name;
    const char* hint;
    int minimum;
    int maximum;
    int tick;
    int position;
};

QSlider* makeSlider(QWidget* group, const SliderDesign& d, int row) {
    auto* slider = new QSlider(Qt::Horizontal, group);
    slider->setObjectName(QString::fromLatin1(d.name));
    slider->setRange(d.minimum, d.maximum);
    slider->setTickInterval(d.tick);
    slider->setTickPosition(d.tick > 0 ? QSlider::TicksBelow : QSlider::NoTicks);
    slider->setValue(d.position);
    slider->setGeometry(4, firstRow + row * rowHeight, 106, rowHeight - 2);
    ui::setHint(slider, QString::fromUtf8(d.hint));
    return slider;
}

QLabel* makeMirror(QWidget* group, const QString& name, const QString& text, int row) {
    auto* label = new QLabel(text, group);
    label->setObjectName(name);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    label->setGeometry(112, firstRow + row * rowHeight + 2, 34, 18);
    return label;
}

QCheckBox* makeSwitch(QWidget* group, const QString& name, bool on) {
    auto* box = new QCheckBox(QStringLiteral("3D вид"), group);
    box->setObjectName(name);
    box->setChecked(on);
    box->setGeometry(8, 15, 100, 18);
    return box;
}

} // namespace

View3DPage::View3DPage(QWidget* parent) : QWidget(parent) {
    buildTraceGroup();
    buildRegisterGroup();
}

void View3DPage::buildTraceGroup() {
    auto* group = new QGroupBox(QStringLiteral("17 bit диагр."), this);
    group->setGeometry(2, 0, 152, 131);
    CheckBox28 = makeSwitch(group, QStringLiteral("CheckBox28"), false);
    TrackBar2 = makeSlider(group, {"TrackBar2", "Rotation", 270, 360, 10, 340}, 0);
    StaticText1 = makeMirror(group, QStringLiteral("StaticText1"), QStringLiteral("340"), 0);
    TrackBar3 = makeSlider(group, {"TrackBar3", "Zoom %", 1, 500, 50, 100}, 1);
    StaticText2 = makeMirror(group, QStringLiteral("StaticText2"), QStringLiteral("100"), 1);
    TrackBar4 = makeSlider(group, {"TrackBar4", "Elevation", 270, 360, 10, 330}, 2);
    StaticText3 = makeMirror(group, QStringLiteral("StaticText3"), QStringLiteral("330"), 2);
    SpinEdit8 = new ui::SpinEdit(group);
    SpinEdit8->setObjectName(QStringLiteral("SpinEdit8"));
    SpinEdit8->setRange(1, 100);
    SpinEdit8->setValue(55);
    SpinEdit8->setGeometry(8, firstRow + 3 * rowHeight, 64, 20);
    ui::setHint(SpinEdit8, QStringLiteral("3D %"));
    for (QWidget* control : {static_cast<QWidget*>(TrackBar2), static_cast<QWidget*>(TrackBar3),
                             static_cast<QWidget*>(TrackBar4), static_cast<QWidget*>(SpinEdit8)})
        control->setEnabled(false);
}

void View3DPage::buildRegisterGroup() {
    auto* group = new QGroupBox(QStringLiteral("Reg. диагр."), this);
    group->setGeometry(158, 0, 150, 131);
    CheckBox29 = makeSwitch(group, QStringLiteral("CheckBox29"), true);
    TrackBar5 = makeSlider(group, {"TrackBar5", "No", 0, 10, 0, 0}, 0);
    TrackBar5->setEnabled(false);
    StaticText6 = makeMirror(group, QStringLiteral("StaticText6"), QStringLiteral("00"), 0);
    StaticText6->setEnabled(false);
    TrackBar6 = makeSlider(group, {"TrackBar6", "Zoom %", 1, 500, 50, 100}, 1);
    StaticText5 = makeMirror(group, QStringLiteral("StaticText5"), QStringLiteral("100"), 1);
    TrackBar7 = makeSlider(group, {"TrackBar7", "3D %", 1, 100, 10, 50}, 2);
    StaticText4 = makeMirror(group, QStringLiteral("StaticText4"), QStringLiteral("50"), 2);
}

} // namespace voltarix::regdiagram
