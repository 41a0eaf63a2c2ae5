#include "panel/register_panel.h"

#include "panel/panel_style.h"
#include "ui/hints.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QToolButton>

namespace voltarix::panel {

namespace {

const QString hexHint = QStringLiteral("Число в hex");
const QString hexInputHint = QStringLiteral("Введите данные : $00 - $FF");
const QString decimalInputHint = QStringLiteral("Введите данные :  0 - 255");
const QString hexWriteHint = QStringLiteral("Запись в hex");
const QString decimalWriteHint = QStringLiteral("Запись обычн. десятичное число ");

constexpr int groupWidth = 151;
constexpr int fieldHeight = 20;

// The write row of one register: hex field and button, decimal field and button.
struct WriteRow {
    QLineEdit* hexField;
    QToolButton* hexButton;
    QLineEdit* decimalField;
    QToolButton* decimalButton;
};

WriteRow makeWriteRow(QGroupBox* group, int top, const QString& hexName,
                      const QString& hexButtonName, const QString& decimalName,
                      const QString& decimalButtonName) {
    makeLabel(group, QStringLiteral("data     write     data write"), {6, top, 140, 14});
    const int row = top + 14;
    WriteRow w{};
    w.hexField = makeField(group, hexName, QStringLiteral("$00"), hexInputHint, aquaColor,
                           registerFont(), {6, row, 36, fieldHeight}, false);
    w.hexButton =
        makeButton(group, hexButtonName, QStringLiteral("write"), {43, row, 32, fieldHeight});
    w.decimalField = makeField(group, decimalName, QStringLiteral("000"), decimalInputHint,
                               aquaColor, registerFont(), {78, row, 32, fieldHeight}, false);
    w.decimalButton =
        makeButton(group, decimalButtonName, QStringLiteral("write"), {111, row, 32, fieldHeight});
    ui::setHint(w.hexButton, hexWriteHint, false);
    ui::setHint(w.decimalButton, decimalWriteHint, false);
    return w;
}

} // namespace

RegisterPanel::RegisterPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("Panel1"));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    buildStatusGroup();
    buildControlGroup();
    buildDataGroup();
}

QGroupBox* RegisterPanel::makeRegisterGroup(const QString& caption, int top, int height) {
    auto* group = new QGroupBox(caption, this);
    group->setGeometry(4, top, groupWidth, height);
    return group;
}

void RegisterPanel::buildStatusGroup() {
    QGroupBox* group = makeRegisterGroup(QStringLiteral("Регистр состояния "), 2, 58);
    makeLabel(group, QStringLiteral("hex       digit"), {8, 16, 84, 14});
    makeLabel(group, QStringLiteral("port"), {104, 16, 30, 14});
    Edit1 = makeField(group, QStringLiteral("Edit1"), QStringLiteral("$00"), hexHint, aquaColor,
                      registerFont(), {6, 32, 40, fieldHeight});
    Edit2 = makeField(group, QStringLiteral("Edit2"), QStringLiteral("000"),
                      QStringLiteral("Обычн. десятичное число (байт)"), aquaColor, registerFont(),
                      {48, 32, 40, fieldHeight});
    ComboBox1 = new QComboBox(group);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setEditable(true);
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setEditText(QStringLiteral("<...>"));
    ComboBox1->setGeometry(92, 32, 54, fieldHeight + 2);
    ui::setHint(ComboBox1, QStringLiteral("Адрес текущего базового порта LPT"));
}

void RegisterPanel::buildControlGroup() {
    QGroupBox* group = makeRegisterGroup(QStringLiteral("Регистр контроля"), 62, 86);
    Edit3 = makeField(group, QStringLiteral("Edit3"), QStringLiteral("$00"), hexHint, aquaColor,
                      registerFont(), {6, 18, 40, fieldHeight});
    Edit4 = makeField(group, QStringLiteral("Edit4"), QStringLiteral("000"),
                      QStringLiteral("Обычое число"), aquaColor, registerFont(),
                      {48, 18, 40, fieldHeight});
    const WriteRow row =
        makeWriteRow(group, 42, QStringLiteral("Edit5"), QStringLiteral("SpeedButton1"),
                     QStringLiteral("Edit6"), QStringLiteral("SpeedButton2"));
    Edit5 = row.hexField;
    SpeedButton1 = row.hexButton;
    Edit6 = row.decimalField;
    SpeedButton2 = row.decimalButton;
}

void RegisterPanel::buildDataGroup() {
    QGroupBox* group = makeRegisterGroup(QStringLiteral("Регистр данных"), 150, 86);
    Edit7 = makeField(group, QStringLiteral("Edit7"), QStringLiteral("$00"), hexHint, aquaColor,
                      registerFont(), {6, 18, 40, fieldHeight});
    Edit8 = makeField(group, QStringLiteral("Edit8"), QStringLiteral("000"),
                      QStringLiteral("Обычое число"), aquaColor, registerFont(),
                      {48, 18, 40, fieldHeight});
    const WriteRow row =
        makeWriteRow(group, 42, QStringLiteral("Edit9"), QStringLiteral("SpeedButton3"),
                     QStringLiteral("Edit10"), QStringLiteral("SpeedButton4"));
    Edit9 = row.hexField;
    SpeedButton3 = row.hexButton;
    Edit10 = row.decimalField;
    SpeedButton4 = row.decimalButton;
}

} // namespace voltarix::panel
