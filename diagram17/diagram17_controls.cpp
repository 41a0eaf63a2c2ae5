#include "diagram17/diagram17_controls.h"

#include "chart/chart.h"
#include "diagram17/cycle_counter.h"
#include "diagram17/trace_layout.h"
#include "ui/hints.h"
#include "ui/spin_edit.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QSlider>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>

namespace voltarix::diagram17 {

namespace {

template <typename T> T* named(T* control, const QString& name, const QRect& geometry) {
    control->setObjectName(name);
    control->setGeometry(geometry);
    return control;
}

QToolButton* makeButton(QWidget* parent, const QString& name, const QRect& geometry,
                        const QString& hint, bool hintPopup = true) {
    auto* button = named(new QToolButton(parent), name, geometry);
    button->setAutoRaise(true);
    button->setIconSize(QSize(16, 16));
    ui::setHint(button, hint, hintPopup);
    return button;
}

QToolButton* makeIconButton(QWidget* parent, const QString& name, int left,
                            QStyle::StandardPixmap icon, const QString& hint,
                            bool hintPopup = true) {
    QToolButton* button = makeButton(parent, name, {left, 2, 24, 24}, hint, hintPopup);
    button->setIcon(QApplication::style()->standardIcon(icon));
    return button;
}

QLabel* makeLabel(QWidget* parent, const QString& text, const QRect& geometry) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    return label;
}

QLabel* makeNote(QWidget* parent, const QString& text, const QRect& geometry) {
    QLabel* note = makeLabel(parent, text, geometry);
    note->setWordWrap(true);
    note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return note;
}

ui::SpinEdit* makeSpin(QWidget* parent, const QString& name, const QRect& geometry, int minimum,
                       int maximum, int value, const QString& hint) {
    auto* spin = named(new ui::SpinEdit(parent), name, geometry);
    spin->setRange(minimum, maximum);
    spin->setText(QString::number(value));
    ui::setHint(spin, hint);
    return spin;
}

QCheckBox* makeBox(QWidget* parent, const QString& name, const QString& caption,
                   const QRect& geometry, const QString& hint = {}) {
    auto* box = named(new QCheckBox(caption, parent), name, geometry);
    if (!hint.isEmpty())
        ui::setHint(box, hint);
    return box;
}

QRadioButton* makeRadio(QWidget* parent, const QString& name, const QString& caption,
                        const QRect& geometry, const QString& hint = {}) {
    auto* radio = named(new QRadioButton(caption, parent), name, geometry);
    if (!hint.isEmpty())
        ui::setHint(radio, hint);
    return radio;
}

QFrame* makeToolBar(QWidget* parent, const QString& name, const QRect& geometry) {
    auto* bar = named(new QFrame(parent), name, geometry);
    bar->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    return bar;
}

QWidget& page(QTabWidget& tabs, const QString& name) {
    auto* found = tabs.findChild<QWidget*>(name);
    Q_ASSERT(found);
    return *found;
}

QTimer* makeTimer(QWidget& owner, const QString& name, int interval) {
    auto* timer = new QTimer(&owner);
    timer->setObjectName(name);
    timer->setInterval(interval);
    return timer;
}

} // namespace

Diagram17Controls::Diagram17Controls(QWidget& chartPanel, QFrame& settingsPanel, QTabWidget& tabs,
                                     QWidget& timerOwner) {
    buildChart(chartPanel);
    buildRunToolBar(settingsPanel);
    buildGaugeToolBar(settingsPanel);
    buildDensityTab(page(tabs, QStringLiteral("TabSheet2")));
    buildResourcesTab(page(tabs, QStringLiteral("TabSheet4")));
    buildLabelTab(page(tabs, QStringLiteral("TabSheet6")));
    buildSynchronousTab(page(tabs, QStringLiteral("TabSheet7")));
    buildTimers(timerOwner);
}

void Diagram17Controls::buildChart(QWidget& chartPanel) {
    Chart2 = named(new chart::Chart(&chartPanel), QStringLiteral("Chart2"), {6, 6, 439, 395});
    setUpChart2(*Chart2);
    Edit18 = named(new QLineEdit(QStringLiteral("00"), Chart2), QStringLiteral("Edit18"),
                   {4, 4, 40, 20});
    Edit18->setReadOnly(true);
    Edit18->hide();
}

void Diagram17Controls::buildRunToolBar(QFrame& settingsPanel) {
    ToolBar3 = makeToolBar(&settingsPanel, QStringLiteral("ToolBar3"), {3, 164, 318, 29});
    SpeedButton7 = makeIconButton(ToolBar3, QStringLiteral("SpeedButton7"), 2, QStyle::SP_MediaPlay,
                                  QStringLiteral("Старт 17 bit диаграмма"));
    SpeedButton8 = makeIconButton(ToolBar3, QStringLiteral("SpeedButton8"), 26,
                                  QStyle::SP_MediaStop, QStringLiteral("Стоп 17 bit диаграмма"));
    SpeedButton13 =
        makeIconButton(ToolBar3, QStringLiteral("SpeedButton13"), 54, QStyle::SP_MediaSeekBackward,
                       QStringLiteral("Прокрутка графика назад"));
    SpeedButton9 =
        makeIconButton(ToolBar3, QStringLiteral("SpeedButton9"), 78, QStyle::SP_MediaSeekForward,
                       QStringLiteral("Прокрутка графика вперёд"));
    SpeedButton13->setEnabled(false);
    SpeedButton9->setEnabled(false);

    Edit16 = named(new QLineEdit(CycleCounter::designText, ToolBar3), QStringLiteral("Edit16"),
                   {106, 4, 72, 21});
    Edit16->setReadOnly(true);
    Edit16->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Edit16->setStyleSheet(QStringLiteral("QLineEdit { background: black; color: lime; }"));
    ui::setHint(Edit16, QStringLiteral("Всего циклов"));

    // The view buttons of both charts take the room between the counter and
    // the show / hide button (x 182 to 262).
    SpeedButton17 = makeButton(ToolBar3, QStringLiteral("SpeedButton17"), {290, 2, 24, 24},
                               QStringLiteral("Показать / скрыть циклы"));
    SpeedButton17->setText(QStringLiteral("#"));
}

void Diagram17Controls::buildGaugeToolBar(QFrame& settingsPanel) {
    ToolBar4 = makeToolBar(&settingsPanel, QStringLiteral("ToolBar4"), {3, 193, 318, 30});
    TrackBar1 =
        named(new QSlider(Qt::Horizontal, ToolBar4), QStringLiteral("TrackBar1"), {2, 3, 78, 24});
    TrackBar1->setRange(0, 500);
    TrackBar1->setTickInterval(70);
    TrackBar1->setTickPosition(QSlider::TicksBelow);
    ui::setHint(TrackBar1, QStringLiteral("Скорость движения графика  0 = max"));

    Gauge1 = named(new QProgressBar(ToolBar4), QStringLiteral("Gauge1"), {86, 6, 130, 18});
    Gauge1->setRange(0, 100);
    Gauge1->setValue(0);
    Gauge1->setAlignment(Qt::AlignCenter);
    Gauge1->setFormat(QStringLiteral("%p%"));
    Gauge1->setStyleSheet(QStringLiteral(
        "QProgressBar { border: 1px solid gray; background: palette(window); color: #e06000; }"
        "QProgressBar::chunk { background: blue; }"));

    // The direction button of the port panel stands at x 223 of this bar
    // (226 in the settings panel); the page buttons follow it.
    SpeedButton19 =
        makeIconButton(ToolBar4, QStringLiteral("SpeedButton19"), 256, QStyle::SP_ArrowLeft,
                       QStringLiteral("Назад на страницу"), false);
    SpeedButton18 =
        makeIconButton(ToolBar4, QStringLiteral("SpeedButton18"), 282, QStyle::SP_ArrowRight,
                       QStringLiteral("Вперёд на страницу"), false);
    if (auto* direction = settingsPanel.findChild<QWidget*>(QStringLiteral("SpeedButton32")))
        direction->raise();

    makeLabel(&settingsPanel,
              QStringLiteral("   Скорость           Пройдено циклов за сеанс         Страниц"),
              {3, 224, 318, 16});
}

void Diagram17Controls::buildDensityTab(QWidget& page) {
    QLabel* density = makeLabel(&page, QStringLiteral("Плотн. гр."), {6, 4, 70, 14});
    ui::setHint(density, QStringLiteral("Устанавливается при 1 старте"));
    SpinEdit1 = makeSpin(&page, QStringLiteral("SpinEdit1"), {6, 19, 66, 21}, 1, 100000, 40,
                         QStringLiteral("Кол-во циклов на страницу (плотн. гр.)"));
    CheckBox4 = makeBox(&page, QStringLiteral("CheckBox4"), QStringLiteral("Авт."),
                        {76, 21, 46, 18}, QStringLiteral("Автосжатие (всё в 1 страницу)"));

    auto* count = new QGroupBox(QStringLiteral("Кол-во циклов"), &page);
    count->setGeometry(4, 44, 112, 62);
    SpinEdit2 = makeSpin(count, QStringLiteral("SpinEdit2"), {6, 16, 78, 21}, 0, 0, 300,
                         QStringLiteral("Задайте нужное кол-во циклов"));
    CheckBox6 = makeBox(count, QStringLiteral("CheckBox6"), QStringLiteral("Неограничено"),
                        {6, 40, 108, 18}, QStringLiteral("На всю свободную память"));

    auto* scroll = new QGroupBox(QStringLiteral("Прокрутка"), &page);
    scroll->setGeometry(120, 2, 84, 104);
    makeLabel(scroll, QStringLiteral("Интервал"), {6, 15, 74, 14});
    SpinEdit3 = makeSpin(scroll, QStringLiteral("SpinEdit3"), {6, 30, 72, 21}, 1, 100000, 10,
                         QStringLiteral("Циклов на клик"));
    makeLabel(scroll, QStringLiteral("Скорость"), {6, 55, 74, 14});
    SpinEdit4 = makeSpin(scroll, QStringLiteral("SpinEdit4"), {6, 70, 72, 21}, 0, 0, 100,
                         QStringLiteral("Скор. автопрокрутки (удерж. кнопку)"));

    auto* mode = new QGroupBox(QStringLiteral("Режим"), &page);
    mode->setGeometry(208, 2, 102, 76);
    RadioButton4 = makeRadio(mode, QStringLiteral("RadioButton4"), QStringLiteral("Нормальный"),
                             {6, 16, 94, 18}, QStringLiteral(" Непосредственный вывод графики "));
    RadioButton5 = makeRadio(mode, QStringLiteral("RadioButton5"), QStringLiteral("Скоростной"),
                             {6, 35, 94, 18}, QStringLiteral("Скоростной запоминающий"));
    RadioButton6 = makeRadio(mode, QStringLiteral("RadioButton6"), QStringLiteral("Средн + цикл"),
                             {6, 54, 94, 18}, QStringLiteral("Средний с показом циклов"));
    RadioButton4->setChecked(true);

    CheckBox30 =
        makeBox(&page, QStringLiteral("CheckBox30"), QStringLiteral("Верт. пр."), {212, 84, 96, 18},
                QStringLiteral("Разрешить вертикальную прокрут. прав. кноп. мышк."));
    CheckBox7 = makeBox(&page, QStringLiteral("CheckBox7"),
                        QStringLiteral("Звуков. подтвержд. новых страниц"), {6, 110, 300, 18},
                        QStringLiteral("При появлении новой страницы"));
}

void Diagram17Controls::buildResourcesTab(QWidget& page) {
    auto* group = new QGroupBox(QStringLiteral("Отображать на дисплее след. графики"), &page);
    group->setGeometry(4, 2, 306, 96);
    constexpr int columns = 5;
    for (int k = 0; k < traceCount; ++k) {
        const TraceSpec& trace = traceTable()[static_cast<std::size_t>(k)];
        const QRect place(8 + (k % columns) * 60, 16 + (k / columns) * 20, 58, 18);
        QCheckBox* box = makeBox(group, QStringLiteral("CheckBox%1").arg(trace.boxNumber),
                                 QStringLiteral("Pin%1").arg(trace.pin), place);
        box->setChecked(true);
        visibilityBoxes[static_cast<std::size_t>(k)] = box;
    }
    makeNote(&page, QStringLiteral("Для увеличения скорости снимите соответст. флажки"),
             {8, 99, 300, 14});

    CheckBox32 = makeBox(&page, QStringLiteral("CheckBox32"),
                         QStringLiteral("Один опрос регистра за цикл"), {6, 114, 184, 18},
                         QStringLiteral("Регистры состояния, контроля и данных читаются по одному "
                                        "разу за цикл: все 17 линий одним снимком, цикл короче"));
    Label3 = named(new QLabel(&page), QStringLiteral("Label3"), {196, 114, 112, 18});
    Label3->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void Diagram17Controls::buildLabelTab(QWidget& page) {
    auto* group = new QGroupBox(QStringLiteral("Отображать"), &page);
    group->setGeometry(4, 2, 196, 78);
    RadioButton11 =
        makeRadio(group, QStringLiteral("RadioButton11"), QStringLiteral("Циклы"), {6, 15, 90, 18});
    RadioButton15 = makeRadio(group, QStringLiteral("RadioButton15"), QStringLiteral("Час, мин, "),
                              {6, 35, 90, 18});
    RadioButton12 = makeRadio(group, QStringLiteral("RadioButton12"),
                              QStringLiteral("Минуты, сек."), {6, 55, 90, 18});
    RadioButton13 = makeRadio(group, QStringLiteral("RadioButton13"),
                              QStringLiteral("Час, мин, сек"), {100, 15, 94, 18});
    RadioButton14 = makeRadio(group, QStringLiteral("RadioButton14"),
                              QStringLiteral("День, мес, год"), {100, 35, 94, 18});
    RadioButton11->setChecked(true);
    RadioButton12->setEnabled(false);

    Edit20 = named(new QLineEdit(QStringLiteral("1234..."), &page), QStringLiteral("Edit20"),
                   {206, 10, 102, 21});
    Edit20->setReadOnly(true);
    ui::setHint(Edit20, QStringLiteral("Предварительный просмотр"));
    SpeedButton31 = makeButton(&page, QStringLiteral("SpeedButton31"), {206, 40, 102, 24},
                               QStringLiteral("Чвет фона подписей графика"));
    SpeedButton31->setText(QStringLiteral("Цвет"));
    SpeedButton31->setAutoRaise(false);

    makeNote(&page,
             QStringLiteral("Для удобного анализа диаграммы во время  длит. регистраций во "
                            "времени, выберите соотв. режим отображения подписей графика"),
             {8, 84, 300, 44});
}

void Diagram17Controls::buildSynchronousTab(QWidget& page) {
    auto* group = new QGroupBox(QStringLiteral("Запуск графика "), &page);
    group->setGeometry(4, 2, 210, 58);
    RadioButton16 =
        makeRadio(group, QStringLiteral("RadioButton16"), QStringLiteral("Входным имп."),
                  {6, 15, 100, 18}, QStringLiteral("По входным импульсам"));
    RadioButton17 =
        makeRadio(group, QStringLiteral("RadioButton17"), QStringLiteral("Контроль. имп"),
                  {6, 35, 100, 18}, QStringLiteral("По контрольным импульсам"));
    RadioButton18 =
        makeRadio(group, QStringLiteral("RadioButton18"), QStringLiteral("Выходным имп."),
                  {108, 15, 100, 18}, QStringLiteral("По выходным импульсам"));
    RadioButton19 = makeRadio(group, QStringLiteral("RadioButton19"), QStringLiteral("Командой."),
                              {108, 35, 100, 18}, QStringLiteral("Запуск командой \"Старт\""));
    RadioButton19->setChecked(true);

    makeLabel(&page, QStringLiteral("Кол-во циклов"), {220, 6, 90, 14});
    SpinEdit9 = makeSpin(&page, QStringLiteral("SpinEdit9"), {220, 22, 88, 21}, 1, 100000, 300,
                         QStringLiteral("Кол-во циклов  для синхронного реж."));

    makeNote(&page,
             QStringLiteral("Для экономии памяти во время длительных регистраций (сутками и "
                            "более) - выберите синхронный запуск по входн., выходн., контр. "),
             {8, 64, 300, 60});
}

void Diagram17Controls::buildTimers(QWidget& timerOwner) {
    Timer3 = makeTimer(timerOwner, QStringLiteral("Timer3"), 100);
    Timer4 = makeTimer(timerOwner, QStringLiteral("Timer4"), 100);
    Timer6 = makeTimer(timerOwner, QStringLiteral("Timer6"), 1000);
}

} // namespace voltarix::diagram17
