#include "app/main_window.h"

#include "app/cpu_speed_meter.h"
#include "app/help_boxes.h"
#include "app/main_menu.h"
#include "app/port_opening.h"
#include "chart/chart.h"
#include "diagram17/diagram17.h"
#include "diagram17/diagram17_controls.h"
#include "diagram17/paging_control.h"
#include "diagram17/vcd_export.h"
#include "panel/bits_panel.h"
#include "panel/direction_glyphs.h"
#include "panel/epp_direction.h"
#include "panel/epp_page.h"
#include "panel/port_panel.h"
#include "panel/register_panel.h"
#include "pictures/browser/browser_buttons.h"
#include "pictures/export/page_pictures.h"
#include "port/lpt_port_connection.h"
#include "port/port_platform.h"
#include "regdiagram/diagram_views.h"
#include "regdiagram/register_chart.h"
#include "regdiagram/register_diagram.h"
#include "regdiagram/register_page.h"
#include "regdiagram/view3d_page.h"
#include "regdiagram/view_buttons.h"
#include "ui/application_title.h"
#include "ui/click_registry.h"
#include "ui/form_activation.h"
#include "ui/glyph_button.h"
#include "ui/handler_errors.h"
#include "ui/hints.h"
#include "ui/message_service.h"
#include "ui/status_bar.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QFrame>
#include <QMenuBar>
#include <QShowEvent>
#include <QTabWidget>
#include <QTimer>
#include <QToolTip>

#include <cstdlib>

namespace voltarix::app {

namespace {

constexpr QSize designClientSize{800, 534};
constexpr int settingsTabCount = 9;
constexpr int startTab = 1; // "17 bit диагр."
constexpr int timerCount = 6;
constexpr int cpuSpeedPanel = 4;
const QColor hintColour{0, 255, 0};

const std::array<ui::StatusBar::PanelDesign, ui::StatusBar::panelCount> statusPanels{{
    {240, QString()},
    {30, QStringLiteral("00"), Qt::AlignCenter},
    {90, QStringLiteral("Страниц: 00")},
    {150, QString(), Qt::AlignCenter},
    {150, QString()},
    {50, QStringLiteral("Страниц[R]:")},
}};

QFrame* makePanel(QWidget* parent, const QString& name, const QRect& geometry) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(geometry);
    return panel;
}

} // namespace

TForm1::TForm1(std::unique_ptr<port::PortPlatform> platform, ui::MessageService& messages,
               QWidget* parent)
    : QMainWindow(parent), messages_(messages),
      errors_(std::make_unique<ui::HandlerErrors>(messages)),
      clicks_(std::make_unique<ui::ClickRegistry>()), cpuSpeed_(std::make_unique<CpuSpeedMeter>()),
      help_(std::make_unique<HelpBoxes>(messages, this)) {
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(ui::applicationTitle());
    setWindowIcon(QIcon(QStringLiteral(":/voltarix/pictures/voltarix_32.png")));
    buildFrame();
    buildPagePictures();
    buildMenus();
    FormCreate(std::move(platform));
    watchActivation();
}

void TForm1::watchActivation() {
    auto* forms = new ui::FormActivation(this);
    connect(forms, &ui::FormActivation::formActivated, this, [this](QWidget* form) {
        if (form == this)
            errors_->run([this] { FormActivate(); });
    });
}

TForm1::~TForm1() {
    FormDestroy();
}

QString TForm1::driverFailureText(int errorCode) {
    return PortOpening::failureText(errorCode);
}

void TForm1::FormCreate(std::unique_ptr<port::PortPlatform> platform) {
    lpt_ = std::make_unique<port::TLptPortConnection>(std::move(platform));
    if (!lpt_->IsReady()) {
        messages_.showPlain(this, QStringLiteral("ERROR"), driverFailureText(lpt_->lastError()));
        // The program ends as soon as its message loop starts; creation still
        // runs to its end so that the window is whole until then.
        QMetaObject::invokeMethod(
            qApp, [] { QCoreApplication::exit(EXIT_FAILURE); }, Qt::QueuedConnection);
    }
    const panel::PortPanelControls controls{*registerPanel_,   *bitsPanel_, *eppPage_,
                                            *directionButton_, *statusBar_, *clicks_};
    portPanel_ = std::make_unique<panel::PortPanel>(*lpt_, controls, messages_, *errors_, this);
    portPanel_->fillSelector();
    diagram17_ = std::make_unique<diagram17::Diagram17>(
        diagram17::Diagram17Host{*this, *chartPanel_, *settingsPanel_, *pageControl_, captureStop_,
                                 portPanel_->pins(), *statusBar_, messages_, *errors_, *clicks_});
    // The view buttons stand on the 17-bit run tool bar, in the room left
    // between the cycle counter and the show / hide button.
    viewButtons_->setParent(diagram17_->controls().ToolBar3);
    viewButtons_->move(182, 2);
    viewButtons_->show();

    const regdiagram::RegisterDiagramControls registerControls{
        {*registerPanel_->Edit2, *registerPanel_->Edit4, *registerPanel_->Edit8},
        *registerPage_,
        *chart1_,
        *statusBar_};
    registerDiagram_ = new regdiagram::RegisterDiagram(registerControls, *errors_, this);
    registerDiagram_->registerClicks(*clicks_);
    registerDiagram_->setSynchronousStart(&diagram17_->synchronousStart());
    // The 17-bit repeat interval and panning setting are the register chart's too.
    diagram17_->paging().setRepeatIntervalFollower(
        [this](int milliseconds) { registerDiagram_->setRepeatInterval(milliseconds); });
    diagram17_->paging().setPanningFollower(
        [this](chart::Panning panning) { chart1_->model().setAllowPanning(panning); });
    const regdiagram::DiagramViewWidgets viewWidgets{
        *chartPanel_, *settingsPanel_, diagram17_->chart2(),
        *chart1_,     *viewButtons_,   *registerPage_->SpeedButton24,
        *view3DPage_};
    diagramViews_ = new regdiagram::DiagramViews(viewWidgets, this);
    diagramViews_->registerClicks(*clicks_);
    // Ins widens or narrows the chart panel as a click on the panel does.
    clicks_->add(QStringLiteral("N45"), [this] { clicks_->click(QStringLiteral("Panel4")); });
    connect(this, &TForm1::registerSeriesShowStep, registerDiagram_,
            &regdiagram::RegisterDiagram::applySeriesSwitches);

    // The 17-bit diagram sounds its own new-page beep before the autosave runs.
    pagePictures_->attachDiagram(pictures::DiagramKind::Bits17, diagram17_->chart2(),
                                 diagram17_->pageNumberField());
    pagePictures_->attachDiagram(pictures::DiagramKind::Register, *chart1_, *registerPage_->Edit19);
    clicks_->add(QStringLiteral("N23"), [this] { pagePictures_->N23Click(); });
    clicks_->add(QStringLiteral("N24"), [this] { pagePictures_->N24Click(); });
    buildVcdExport();
}

// The export button stands beside the save-as buttons on the tab "Сервис ".
void TForm1::buildVcdExport() {
    vcdExport_ = std::make_unique<diagram17::VcdExport>(diagram17_->cycleTimes(), messages_, this);
    const auto exportRecording = [this] { vcdExport_->exportRecording(); };
    clicks_->add(QStringLiteral("SpeedButton36"), exportRecording);
    connect(pagePictures_->controls().SpeedButton36, &QAbstractButton::clicked, this,
            errors_->guarded(exportRecording));
}

diagram17::SynchronousStart& TForm1::synchronousStart() {
    return diagram17_->synchronousStart();
}

void TForm1::FormDestroy() {
    // The timers go first: none may tick into a connection that is gone.
    for (int i = 1; i <= timerCount; ++i) {
        if (auto* timer = findChild<QTimer*>(QStringLiteral("Timer%1").arg(i)))
            timer->stop();
    }
    vcdExport_.reset();
    diagram17_.reset();
    portPanel_.reset();
    lpt_.reset();
}

void TForm1::FormActivate() {
    portPanel_->refreshOnActivation();
    captureStop_ = true;
}

void TForm1::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous())
        errors_->run([this] { FormShow(); });
}

void TForm1::FormShow() {
    QPalette hints = QToolTip::palette();
    hints.setColor(QPalette::ToolTipBase, hintColour);
    QToolTip::setPalette(hints);
    emit registerSeriesShowStep();
    showCpuSpeed();
}

void TForm1::showCpuSpeed() {
    statusBar_->setPanelText(cpuSpeedPanel, CpuSpeedMeter::speedText(cpuSpeed_->MeasureCpuSpeed()));
}

void TForm1::closeEvent(QCloseEvent* event) {
    FormClose();
    QMainWindow::closeEvent(event);
    emit closed();
}

void TForm1::FormClose() {
    captureStop_ = true;
}

void TForm1::CPU1Click() {
    showCpuSpeed();
    QApplication::beep();
}

void TForm1::N4Click() {
    close();
}

void TForm1::setCpuSpeedMeter(std::unique_ptr<CpuSpeedMeter> meter) {
    cpuSpeed_ = std::move(meter);
}

void TForm1::buildFrame() {
    auto* frame = new QWidget(this);
    frame->setObjectName(QStringLiteral("FramePanel"));
    frame->setFixedSize(designClientSize);
    setCentralWidget(frame);

    registerPanel_ = new panel::RegisterPanel(frame);
    registerPanel_->setGeometry(6, 6, 159, 239);
    bitsPanel_ = new panel::BitsPanel(frame);
    bitsPanel_->setGeometry(172, 6, 159, 239);

    QFrame* chartPanel = chartPanel_ =
        makePanel(frame, QStringLiteral("Panel4"), {338, 6, 453, 499});
    chartPanel->setCursor(Qt::PointingHandCursor);
    chart1_ = regdiagram::makeRegisterChart(chartPanel);
    chart1_->setGeometry(6, 406, 434, 89);

    QFrame* settingsPanel = settingsPanel_ =
        makePanel(frame, QStringLiteral("Panel5"), {7, 252, 324, 254});
    buildSettingsPanel(settingsPanel);

    statusBar_ = new ui::StatusBar(statusPanels, frame);
    statusBar_->setObjectName(QStringLiteral("StatusBar1"));
    statusBar_->setGeometry(0, 505, 795, 23);
    qApp->installEventFilter(new ui::HintDisplay(
        [this](const QString& hint) { statusBar_->setPanelText(0, hint); }, this));
}

void TForm1::buildSettingsPanel(QFrame* settingsPanel) {
    pageControl_ = new QTabWidget(settingsPanel);
    pageControl_->setObjectName(QStringLiteral("PageControl1"));
    pageControl_->setGeometry(3, 3, 318, 160);
    pageControl_->setUsesScrollButtons(true);
    const std::array<QString, settingsTabCount> captions{
        QStringLiteral("Рег. диагр."), QStringLiteral("17 bit диагр."),
        QStringLiteral("Сервис "),     QStringLiteral("Ресурсы"),
        QStringLiteral("3D"),          QStringLiteral("Вид 17"),
        QStringLiteral("Управ. 17"),   QStringLiteral("ЕРР"),
        QStringLiteral("Декодеры")};
    for (int i = 0; i < settingsTabCount; ++i) {
        QWidget* page = nullptr;
        if (i == 0)
            page = registerPage_ = new regdiagram::RegisterPage;
        else if (i == 4)
            page = view3DPage_ = new regdiagram::View3DPage;
        else if (i == 7)
            page = eppPage_ = new panel::EppPage;
        else
            page = new QWidget;
        page->setObjectName(QStringLiteral("TabSheet%1").arg(i + 1));
        pageControl_->addTab(page, captions[static_cast<std::size_t>(i)]);
    }
    pageControl_->setCurrentIndex(startTab);

    // On the 17-bit run tool bar, after the scroll buttons and the cycle count.
    viewButtons_ = new regdiagram::ViewButtonBar(settingsPanel);
    viewButtons_->move(236, 168);

    // The run tool bars lie under the tabs; the direction button sits on the
    // second one, between the progress gauge and the page buttons.
    directionButton_ = new ui::GlyphButton(settingsPanel);
    directionButton_->setObjectName(QStringLiteral("SpeedButton32"));
    directionButton_->setGlyphStrip(panel::directionGlyphStrip());
    directionButton_->setNumGlyphs(4);
    directionButton_->setGeometry(226, 196, 24, 24);
    ui::setHint(directionButton_, QStringLiteral("Входной / выходной реж. регистр. данных"));
}

// The page export controls go onto the tab "Сервис ".
void TForm1::buildPagePictures() {
    pagePictures_ =
        new pictures::PagePictures(pageControl_->widget(2), *statusBar_, messages_, *errors_, this);
    pagePictures_->registerClicks(*clicks_);
    // The buttons are children of the tab; what they run comes with the browser.
    const pictures::BrowserButtons browserButtons(pageControl_->widget(2), *clicks_);
}

void TForm1::buildMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu1"));
    mainMenu_ = new MainMenu(*bar, *this, *clicks_, *errors_);

    // The items that are this window's own; the subsystems register their
    // buttons' operations themselves.
    clicks_->add(QStringLiteral("N4"), [this] { N4Click(); });
    clicks_->add(QStringLiteral("CPU1"), [this] { CPU1Click(); });
    clicks_->add(QStringLiteral("N7"), [this] { help_->N7Click(); });
    clicks_->add(QStringLiteral("N6"), [this] { help_->N6Click(); });
    clicks_->add(QStringLiteral("N11"), [this] { help_->N11Click(); });
    clicks_->add(QStringLiteral("SpeedButton32"),
                 [this] { portPanel_->direction().SpeedButton32Click(); });
}

} // namespace voltarix::app
