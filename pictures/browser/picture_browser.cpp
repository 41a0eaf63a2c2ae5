#include "pictures/browser/picture_browser.h"

#include "pictures/browser/picture_open_dialog.h"
#include "pictures/loaders/picture_loader.h"

#include <QFileInfo>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

namespace voltarix::pictures {

namespace {

const QRect kRestoredGeometry(279, 81, 280, 163);

} // namespace

TForm4::TForm4(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("TForm4"));
    setWindowTitle(QStringLiteral("Браузер"));
    setGeometry(kRestoredGeometry);
    setWindowState(Qt::WindowMaximized);
    // The program ends when the main window closes, browser open or not.
    setAttribute(Qt::WA_QuitOnClose, false);

    scrollArea_ = new QScrollArea(this);
    scrollArea_->setFrameShape(QFrame::NoFrame);
    scrollArea_->setWidgetResizable(false);
    scrollArea_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    image_ = new QLabel;
    image_->setObjectName(QStringLiteral("Image1"));
    image_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    image_->setScaledContents(false);
    image_->resize(0, 0);
    scrollArea_->setWidget(image_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scrollArea_);
}

void TForm4::openPicture(const QString& path) {
    const QString fullPath = QFileInfo(path).absoluteFilePath();
    setWindowTitle(fullPath);
    showPicture(loadPictureFile(fullPath, PictureLimits(), screenDotsPerInch()));
    showBrowser();
}

void TForm4::openPictureFromDialog(QWidget* owner) {
    OpenPictureDialog dialog(owner);
    if (!lastFolder_.isEmpty())
        dialog.setDirectory(lastFolder_);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    const QString chosen = dialog.selectedFiles().constFirst();
    lastFolder_ = QFileInfo(chosen).absolutePath();
    openPicture(chosen);
}

void TForm4::showBrowser() {
    show();
    raise();
}

// A metafile is made into as many pixels as the screen has for its frame.
double TForm4::screenDotsPerInch() const {
    return logicalDpiY() * devicePixelRatioF();
}

// One picture pixel a screen pixel: on a scaled screen the picture takes
// fewer of the window's device-independent pixels than it has pixels.
void TForm4::showPicture(const QImage& picture) {
    picture_ = picture;
    QPixmap pixmap = QPixmap::fromImage(picture_);
    pixmap.setDevicePixelRatio(devicePixelRatioF());
    image_->setPixmap(pixmap);
    image_->resize(pixmap.deviceIndependentSize().toSize());
}

} // namespace voltarix::pictures
