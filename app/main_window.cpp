#include "app/main_window.h"

#include "panel/bits_panel.h"
#include "panel/direction_glyphs.h"
#include "panel/epp_direction.h"
#include "panel/epp_page.h"
#include "panel/port_panel.h"
#include "panel/register_panel.h"
#include "pictures/page_pictures.h"
#include "port/lpt_port_connection.h"
#include "port/port_platform.h"
#include "ui/click_registry.h"
#include "ui/glyph_button.h"
#include "ui/handler_errors.h"
#include "ui/hints.h"
#include "ui/message_service.h"
#include "ui/status_bar.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QMenuBar>
#include <QTabWidget>
#include <QTimer>

#include <cstdlib>

namespace voltarix::app {

namespace {

constexpr QSize designClientSize{800, 534};
constexpr int settingsTabCount = 8;
constexpr int startTab = 1; // "17 bit диагр."
constexpr int timerCount = 6;

const std::array<ui::StatusBar::PanelDesign, ui::StatusBar::panelCount> statusPanels{{
    {240, QString()},
    {30, QStringLiteral("00")},
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
      clicks_(std::make_unique<ui::ClickRegistry>()) {
    setObjectName(QStringLiteral("TForm1"));
    buildFrame();
    buildPagePictures();
    buildMenus();
    FormCreate(std::move(platform));
}

TForm1::~TForm1() {
    FormDestroy();
}

QString TForm1::driverFailureText(int errorCode) {
    return QStringLiteral("Ошибка при создании объекта Lpt,  драйвер ERROR,  код = ") +
           QString::number(errorCode);
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
                                            *directionButton_, *statusBar_, *portMenu_};
    portPanel_ = std::make_unique<panel::PortPanel>(*lpt_, controls, messages_, *errors_, this);
    portPanel_->fillSelector();
}

void TForm1::FormDestroy() {
    // The timers go first: none may tick into a connection that is gone.
    for (int i = 1; i <= timerCount; ++i) {
        if (auto* timer = findChild<QTimer*>(QStringLiteral("Timer%1").arg(i)))
            timer->stop();
    }
    portPanel_.reset();
    lpt_.reset();
}

bool TForm1::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        errors_->run([this] { FormActivate(); });
    return QMainWindow::event(event);
}

void TForm1::FormActivate() {
    portPanel_->refreshOnActivation();
    captureStop_ = true;
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

    QFrame* chartPanel = makePanel(frame, QStringLiteral("Panel4"), {338, 6, 453, 499});
    chartPanel->setCursor(Qt::PointingHandCursor);

    QFrame* settingsPanel = makePanel(frame, QStringLiteral("Panel5"), {7, 252, 324, 254});
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
        QStringLiteral("Управ. 17"),   QStringLiteral("ЕРР")};
    for (int i = 0; i < settingsTabCount; ++i) {
        QWidget* page = nullptr;
        if (i == settingsTabCount - 1)
            page = eppPage_ = new panel::EppPage;
        else
            page = new QWidget;
        page->setObjectName(QStringLiteral("TabSheet%1").arg(i + 1));
        pageControl_->addTab(page, captions[static_cast<std::size_t>(i)]);
    }
    pageControl_->setCurrentIndex(startTab);

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
}

void TForm1::buildMenus() {
    QMenuBar* menu = menuBar();
    menu->setObjectName(QStringLiteral("MainMenu1"));
    portMenu_ = menu->addMenu(QStringLiteral("Порт"));
    controlMenu_ = menu->addMenu(QStringLiteral("Управление"));

    // The item runs the button's click handler itself, so that it works while
    // the button is disabled too.
    auto* toggle = new QAction(QStringLiteral("Входной / выходной реж. регистр. данных"), this);
    toggle->setObjectName(QStringLiteral("N49"));
    toggle->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Backspace));
    clicks_->add(QStringLiteral("SpeedButton32"),
                 [this] { portPanel_->direction().SpeedButton32Click(); });
    connect(toggle, &QAction::triggered, this,
            errors_->guarded([this] { clicks_->click(QStringLiteral("SpeedButton32")); }));
    controlMenu_->addSeparator();
    controlMenu_->addAction(toggle);
}

} // namespace voltarix::app
