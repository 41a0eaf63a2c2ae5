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

} // namespace

RegisterPanel::RegisterPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("Panel1"));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    buildStatusGroup();
    buildWritableGroup(QStringLiteral("Регистр контроля"), 62, 3, 1,
                       {Edit3, Edit4, Edit5, SpeedButton1, Edit6, SpeedButton2});
    buildWritableGroup(QStringLiteral("Регистр данных"), 150, 7, 3,
                       {Edit7, Edit8, Edit9, SpeedButton3, Edit10, SpeedButton4});
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

void RegisterPanel::buildWritableGroup(const QString& caption, int top, int firstField,
                                       int firstButton, const WritableGroup& g) {
    QGroupBox* group = makeRegisterGroup(caption, top, 86);
    auto edit = [firstField](int i) { return QStringLiteral("Edit%1").arg(firstField + i); };
    auto button = [firstButton](int i) {
        return QStringLiteral("SpeedButton%1").arg(firstButton + i);
    };
    g.hex = makeField(group, edit(0), QStringLiteral("$00"), hexHint, aquaColor, registerFont(),
                      {6, 18, 40, fieldHeight});
    g.decimal = makeField(group, edit(1), QStringLiteral("000"), QStringLiteral("Обычое число"),
                          aquaColor, registerFont(), {48, 18, 40, fieldHeight});

    makeLabel(group, QStringLiteral("data     write     data write"), {6, 42, 140, 14});
    const int row = 56;
    g.hexInput = makeField(group, edit(2), QStringLiteral("$00"), hexInputHint, aquaColor,
                           registerFont(), {6, row, 36, fieldHeight}, false);
    g.hexWrite = makeButton(group, button(0), QStringLiteral("write"), {43, row, 32, fieldHeight});
    g.decimalInput = makeField(group, edit(3), QStringLiteral("000"), decimalInputHint, aquaColor,
                               registerFont(), {78, row, 32, fieldHeight}, false);
    g.decimalWrite =
        makeButton(group, button(1), QStringLiteral("write"), {111, row, 32, fieldHeight});
    // The write buttons name themselves in the status bar but show no tool tip.
    ui::setHint(g.hexWrite, hexWriteHint, false);
    ui::setHint(g.decimalWrite, decimalWriteHint, false);
}

} // namespace voltarix::panel
