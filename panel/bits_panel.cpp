#include "panel/bits_panel.h"

#include "panel/panel_style.h"
#include "ui/hints.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace voltarix::panel {

namespace {

constexpr int groupWidth = 151;
constexpr int keyWidth = 17;
constexpr int keyHeight = 20;
constexpr int pinFieldHeight = 22;

struct KeyDesign {
    const char* hint;
    const char* caption;
};

constexpr std::array<KeyDesign, 8> dataKeyDesign{{{"Bit 7", "9"},
                                                  {"Bit 6", "8"},
                                                  {"Bit 5", "7"},
                                                  {"Bit 4", "6"},
                                                  {"Bit 3", "5"},
                                                  {"Bit 2", "4"},
                                                  {"Bit 1", "3"},
                                                  {"Bit 0", "2"}}};
constexpr std::array<KeyDesign, 4> controlKeyDesign{
    {{"slin", "17"}, {"initialize", "16"}, {"LF / CR", "14"}, {"strobe", "1"}}};

// A row of equally wide buttons named Button<firstNumber>, Button<firstNumber+1>...
template <std::size_t N>
QWidget* makeKeyboard(QWidget* parent, const QString& name, int firstNumber,
                      const std::array<KeyDesign, N>& design, std::array<QToolButton*, N>& keys,
                      const QPoint& at) {
    auto* bar = new QWidget(parent);
    bar->setObjectName(name);
    bar->setGeometry(at.x(), at.y(), static_cast<int>(N) * keyWidth, keyHeight);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (std::size_t i = 0; i < N; ++i) {
        auto* key = new QToolButton(bar);
        key->setObjectName(QStringLiteral("Button%1").arg(firstNumber + static_cast<int>(i)));
        key->setText(QString::fromLatin1(design[i].caption));
        key->setFixedSize(keyWidth, keyHeight);
        ui::setHint(key, QString::fromLatin1(design[i].hint));
        layout->addWidget(key);
        keys[i] = key;
    }
    return bar;
}

} // namespace

BitsPanel::BitsPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("Panel3"));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    buildDataGroup();
    buildControlGroup();
    buildInputGroup();
}

void BitsPanel::buildDataGroup() {
    auto* group = new QGroupBox(QStringLiteral("Биты данных"), this);
    group->setGeometry(4, 2, groupWidth, 80);
    makeLabel(group, QStringLiteral(" 128 64 32 16"), {6, 15, 70, 13});
    makeLabel(group, QStringLiteral("8   4   2   1"), {80, 15, 64, 13});
    Edit11 = makeField(group, QStringLiteral("Edit11"), QStringLiteral("0 0 0 0 0 0 0 0"),
                       QStringLiteral("Зелёный - выходы;  Синий - входы "), limeColor,
                       pinStringFont(), {6, 29, 136, pinFieldHeight});
    ToolBar1 = makeKeyboard(group, QStringLiteral("ToolBar1"), 1, dataKeyDesign, dataKeys, {6, 53});
}

void BitsPanel::buildControlGroup() {
    auto* group = new QGroupBox(QStringLiteral("Контрольн. биты "), this);
    group->setGeometry(4, 84, groupWidth, 76);
    makeLabel(group, QStringLiteral("8   4   2   1"), {8, 15, 64, 13});
    Edit12 = makeField(group, QStringLiteral("Edit12"), QStringLiteral("0 0 0 0"),
                       QStringLiteral("Состоние бит контроля"), yellowColor, pinStringFont(),
                       {6, 29, 68, pinFieldHeight});
    ToolBar2 =
        makeKeyboard(group, QStringLiteral("ToolBar2"), 9, controlKeyDesign, controlKeys, {6, 53});
    ui::setHint(ToolBar2, QStringLiteral("Pin / Bit клавиатура"));

    SpeedButton5 = makeButton(group, QStringLiteral("SpeedButton5"), QStringLiteral("PIN"),
                              {88, 29, 52, pinFieldHeight});
    QPalette palette = SpeedButton5->palette();
    palette.setColor(QPalette::ButtonText, Qt::blue);
    SpeedButton5->setPalette(palette);
    QFont font = SpeedButton5->font();
    font.setBold(true);
    SpeedButton5->setFont(font);
    ui::setHint(SpeedButton5, QStringLiteral("Переключатель Pin / Bit ;   Тест"));
    makeLabel(group, QStringLiteral("Тест двун."), {88, 55, 60, 14});
}

void BitsPanel::buildInputGroup() {
    auto* group = new QGroupBox(QStringLiteral("Входные pin"), this);
    group->setGeometry(4, 162, groupWidth, 74);
    QLabel* pinNumbers = makeLabel(group, QStringLiteral("11 10 12 13 15  "), {8, 15, 90, 13});
    ui::setHint(pinNumbers, QStringLiteral("128  64  32  16  8"));
    Edit13 = makeField(group, QStringLiteral("Edit13"), QStringLiteral("0 0 0 0 0"),
                       QStringLiteral("Состояние входных битов"), aquaColor, pinStringFont(),
                       {6, 29, 85, pinFieldHeight});
    Edit14 = makeField(group, QStringLiteral("Edit14"), QStringLiteral("   SPP"),
                       QStringLiteral("SPP - стандартный ;   EPP - двунаправленный "), redColor,
                       registerFont(), {6, 52, 56, 19});
    makeLabel(group, QStringLiteral("Ядро"), {70, 54, 30, 14});
    Edit15 = makeField(group, QStringLiteral("Edit15"), QStringLiteral("  NT"),
                       QStringLiteral("Платформа"), redColor, registerFont(), {100, 52, 44, 19});
}

} // namespace voltarix::panel
