#include "pictures/export/picture_preview.h"

#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

namespace voltarix::pictures {

namespace {

constexpr QSize previewArea{160, 140};

QImage readWithQt(const QString& fileName) {
    QImageReader reader(fileName);
    return reader.read();
}

} // namespace

PicturePreview::PicturePreview(QWidget* parent)
    : QFrame(parent), loader_(&readWithQt), size_(new QLabel(this)), image_(new QLabel(this)) {
    setObjectName(QStringLiteral("PicturePreview"));
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    size_->setAlignment(Qt::AlignCenter);
    image_->setAlignment(Qt::AlignCenter);
    image_->setFixedSize(previewArea);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(size_);
    layout->addWidget(image_);
    layout->addStretch();
}

void PicturePreview::showFile(const QString& fileName) {
    picture_ = QFileInfo(fileName).isFile() && loader_ ? loader_(fileName) : QImage();
    size_->setText(sizeText());
    if (picture_.isNull()) {
        image_->clear();
        return;
    }
    const QImage shown =
        picture_.width() > previewArea.width() || picture_.height() > previewArea.height()
            ? picture_.scaled(previewArea, Qt::KeepAspectRatio, Qt::SmoothTransformation)
            : picture_;
    image_->setPixmap(QPixmap::fromImage(shown));
}

QString PicturePreview::sizeText() const {
    if (picture_.isNull())
        return {};
    return QStringLiteral("%1 x %2").arg(picture_.width()).arg(picture_.height());
}

} // namespace voltarix::pictures
