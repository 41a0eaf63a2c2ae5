#include "app/startup.h"

#include "app/about_window.h"
#include "app/main_window.h"
#include "app/splash_window.h"
#include "pictures/browser/picture_browser.h"
#include "pictures/export/page_pictures.h"
#include "pictures/export/picture_preview.h"
#include "pictures/export/save_picture_dialog.h"
#include "pictures/loaders/picture_error.h"
#include "pictures/loaders/picture_loader.h"
#include "port/lpt_port_connection.h"
#include "ui/application_title.h"
#include "ui/click_registry.h"
#include "ui/handler_errors.h"

#include <QGuiApplication>
#include <QScreen>

namespace voltarix::app {

namespace {

// Where the window goes when the user restores it from maximised.
void centreOnDesktop(QWidget& window) {
    window.adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window.move(screen->availableGeometry().center() - window.rect().center());
}

} // namespace

Startup::Startup(MainWindowFactory createMainWindow)
    : createMainWindow_(std::move(createMainWindow)) {}

// The main window goes before the splash, whose timer asks about it.
Startup::~Startup() {
    mainWindow_.reset();
    splash_.reset();
}

void Startup::run() {
    splash_ = std::make_unique<TForm3>(TForm3::splashPicture());
    splash_->showAndPaint();

    ui::setApplicationTitle(QString::fromUtf8(applicationTitle));

    mainWindow_ = createMainWindow_();
    splash_->setMainWindow(mainWindow_.get());

    createAboutWindow();

    createPictureBrowser();

    if (mainWindow_->lpt().IsReady()) {
        centreOnDesktop(*mainWindow_);
        mainWindow_->showMaximized();
        // Ask for the focus also where no window manager hands it out, so that
        // the window's activation refresh runs at start everywhere.
        mainWindow_->activateWindow();
        // Where no window manager keeps the splash on top, it is raised by hand.
        if (splash_->isVisible())
            splash_->raise();
    }
}

// The browser is a window of its own, hidden until a picture is opened or the
// user asks for it; it goes with the main window.
void Startup::createPictureBrowser() {
    browser_ = new pictures::TForm4(mainWindow_.get());
    pictures::TForm4* browser = browser_;
    TForm1* window = mainWindow_.get();
    ui::ClickRegistry& clicks = window->clicks();
    const ui::HandlerErrors& errors = window->handlerErrors();
    clicks.add(QStringLiteral("SpeedButton27"), [browser, window, &errors] {
        errors.run([browser, window] { browser->openPictureFromDialog(window); });
    });
    clicks.add(QStringLiteral("SpeedButton28"), [browser] { browser->showBrowser(); });
    // The save dialogs preview every kind the browser reads.
    window->pagePictures().saveDialog().preview().setLoader([](const QString& fileName) {
        try {
            return pictures::loadPictureFile(fileName);
        } catch (const pictures::PictureError&) {
            return QImage(); // a file it cannot read previews as nothing
        }
    });
}

void Startup::createAboutWindow() {
    about_ = new TForm2(mainWindow_.get());
    TForm2* about = about_;
    mainWindow_->clicks().add(QStringLiteral("N5"), [about] { about->ShowModal(); });
}

} // namespace voltarix::app
