#include "regdiagram/register_page.h"

#include "regdiagram/indicator_glyphs.h"
#include "ui/glyph_button.h"
#include "ui/hints.h"
#include "ui/spin_edit.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

namespace voltarix::regdiagram {

namespace {

QCheckBox* makeCheckBox(QWidget* parent, const QString& name, const QString& caption,
                        const QRect& geometry, bool checked) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
    box->setChecked(checked);
    return box;
}

QToolButton* makeToolButton(QWidget* parent, const QString& name, const QString& caption,
                            const QString& hint, const QRect& geometry) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(caption);
    button->setGeometry(geometry);
    button->setAutoRaise(true);
    ui::setHint(button, hint);
    return button;
}

ui::SpinEdit* makeSpinEdit(QWidget* parent, const QString& name, const QString& hint, int minimum,
                           int maximum, int value, const QRect& geometry) {
    auto* spin = new ui::SpinEdit(parent);
    spin->setObjectName(name);
    spin->setRange(minimum, maximum);
    spin->setValue(value);
    spin->setGeometry(geometry);
    ui::setHint(spin, hint);
    return spin;
}

QRadioButton* makeRadioButton(QWidget* parent, const QString& name, const QString& caption,
                              const QString& hint, const QRect& geometry) {
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    ui::setHint(button, hint);
    return button;
}

} // namespace

RegisterPage::RegisterPage(QWidget* parent) : QWidget(parent) {
    buildToolBar();
    buildSeriesGroup();
    buildDrivingGroup();
    buildCyclesGroup();
    buildScrollGroup();

    Edit19 = new QLineEdit(QStringLiteral("00"), this);
    Edit19->setObjectName(QStringLiteral("Edit19"));
    Edit19->hide();
}

void RegisterPage::buildToolBar() {
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("RegisterChartToolBar"));
    bar->setGeometry(2, 2, 198, 24);
    SpeedButton16 = makeToolButton(bar, QStringLiteral("SpeedButton16"), QStringLiteral("<"),
                                   QStringLiteral("Прокрутка графика назад"), {0, 1, 23, 22});
    SpeedButton6 = makeToolButton(bar, QStringLiteral("SpeedButton6"), QStringLiteral(">"),
                                  QStringLiteral("Прокрутка графика вперёд"), {23, 1, 23, 22});
    Edit17 = new QLineEdit(QStringLiteral("0000"), bar);
    Edit17->setObjectName(QStringLiteral("Edit17"));
    Edit17->setGeometry(48, 1, 76, 22);
    ui::setHint(Edit17, QStringLiteral("Всего циклов (регистр данных)"));
    SpeedButton23 = makeToolButton(bar, QStringLiteral("SpeedButton23"), QStringLiteral("<<"),
                                   QStringLiteral("Назад на страницу"), {126, 1, 23, 22});
    SpeedButton22 = makeToolButton(bar, QStringLiteral("SpeedButton22"), QStringLiteral(">>"),
                                   QStringLiteral("Вперёд на страницу"), {149, 1, 23, 22});
    SpeedButton24 = makeToolButton(bar, QStringLiteral("SpeedButton24"), QStringLiteral("#"),
                                   QStringLiteral("Показать / скрыть циклы"), {172, 1, 23, 22});
}

void RegisterPage::buildSeriesGroup() {
    auto* group = new QGroupBox(QStringLiteral("Отображать "), this);
    group->setGeometry(2, 27, 104, 104);
    CheckBox1 = makeCheckBox(group, QStringLiteral("CheckBox1"), QStringLiteral("Входные"),
                             {8, 16, 92, 18}, false);
    CheckBox2 = makeCheckBox(group, QStringLiteral("CheckBox2"), QStringLiteral("Контроля"),
                             {8, 36, 92, 18}, false);
    CheckBox3 = makeCheckBox(group, QStringLiteral("CheckBox3"), QStringLiteral("Выходные"),
                             {8, 56, 92, 18}, true);
    CheckBox5 = makeCheckBox(group, QStringLiteral("CheckBox5"), QStringLiteral("OFF"),
                             {8, 80, 54, 18}, false);
    ui::setHint(CheckBox5, QStringLiteral("Отключить регистр. диаграмму"));
    SpeedButton21 = new ui::GlyphButton(group);
    SpeedButton21->setObjectName(QStringLiteral("SpeedButton21"));
    SpeedButton21->setGlyphStrip(activeIndicatorStrip());
    SpeedButton21->setNumGlyphs(2);
    SpeedButton21->setGeometry(68, 77, 24, 24);
    ui::setHint(SpeedButton21, QStringLiteral("Режим активирован"));
}

void RegisterPage::buildDrivingGroup() {
    auto* group = new QGroupBox(QStringLiteral("Управлен."), this);
    group->setGeometry(110, 27, 94, 104);
    RadioButton1 =
        makeRadioButton(group, QStringLiteral("RadioButton1"), QStringLiteral("Входные"),
                        QStringLiteral("Управлять графиком по входным регистрам"), {8, 18, 84, 18});
    RadioButton2 =
        makeRadioButton(group, QStringLiteral("RadioButton2"), QStringLiteral("Контроля"),
                        QStringLiteral("Управлять графиком по контрольным рег."), {8, 44, 84, 18});
    RadioButton3 =
        makeRadioButton(group, QStringLiteral("RadioButton3"), QStringLiteral("Выходные"),
                        QStringLiteral("Управлять графиком по выходным рег."), {8, 70, 84, 18});
    RadioButton3->setChecked(true);
}

void RegisterPage::buildCyclesGroup() {
    auto* group = new QGroupBox(QStringLiteral("Циклы"), this);
    group->setGeometry(208, 0, 100, 64);
    SpinEdit5 = makeSpinEdit(group, QStringLiteral("SpinEdit5"),
                             QStringLiteral("Кол-во циклов на страницу (плотн. гр.)"), 1, 100000,
                             25, {8, 16, 84, 20});
    CheckBox26 = makeCheckBox(group, QStringLiteral("CheckBox26"), QStringLiteral("Авто"),
                              {8, 40, 84, 18}, true);
    ui::setHint(CheckBox26, QStringLiteral("Сжать весь график в одну страницу"));
}

void RegisterPage::buildScrollGroup() {
    auto* group = new QGroupBox(QStringLiteral("Прокрут."), this);
    group->setGeometry(208, 66, 100, 65);
    SpinEdit6 =
        makeSpinEdit(group, QStringLiteral("SpinEdit6"),
                     QStringLiteral("Интервал прокруч. страниц"), 1, 100000, 1, {8, 16, 84, 20});
    SpinEdit7 =
        makeSpinEdit(group, QStringLiteral("SpinEdit7"),
                     QStringLiteral("Скорость прокруч. страниц"), 0, 100000, 100, {8, 40, 84, 20});
}

} // namespace voltarix::regdiagram
