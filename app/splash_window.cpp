#include "app/splash_window.h"

#include "app/jpeg_picture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWindow>

namespace voltarix::app {

namespace {

constexpr QSize designPictureSize{446, 295};

// Long enough for a window manager to map the window, short enough that a
// display that never exposes it (offscreen) costs nothing noticeable.
constexpr int exposeWaitMilliseconds = 200;

} // namespace

TForm3::TForm3(const QImage& picture, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      picture_(picture.isNull() ? QImage(designPictureSize, QImage::Format_RGB32) : picture),
      timer1_(new QTimer(this)) {
    setObjectName(QStringLiteral("TForm3"));
    // The splash never keeps the program alive once the main window closes.
    setAttribute(Qt::WA_QuitOnClose, false);
    if (picture.isNull())
        picture_.fill(Qt::black);
    setFixedSize(picture_.size());
    centreOnDesktop();

    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(splashMilliseconds);
    timer1_->setSingleShot(true);
    connect(timer1_, &QTimer::timeout, this, &TForm3::Timer1Timer);
    timer1_->start();
}

QImage TForm3::splashPicture() {
    QFile file(QStringLiteral(":/voltarix/pictures/splash.jpg"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const JpegPicture decoded = JpegPicture::decode(file.readAll());
    if (decoded.image.isNull())
        qWarning("splash picture: %s", qUtf8Printable(decoded.error));
    return decoded.image;
}

void TForm3::showAndPaint() {
    show();
    if (QWindow* window = windowHandle()) {
        QElapsedTimer waited;
        waited.start();
        while (!window->isExposed() && waited.elapsed() < exposeWaitMilliseconds)
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
    }
    repaint();
}

void TForm3::Timer1Timer() {
    timer1_->stop();
    if (mainWindow_ && mainWindow_->isVisible())
        close();
}

void TForm3::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
}

void TForm3::centreOnDesktop() {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

} // namespace voltarix::app
