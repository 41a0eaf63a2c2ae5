#pragma once

#include <QFrame>
#include <QImage>

#include <functional>

class QLabel;

namespace voltarix::pictures {

// The preview beside a picture file dialog: the selected file's picture,
// scaled down to fit, and its natural size above it.
class PicturePreview : public QFrame {
    Q_OBJECT
public:
    // Reads a picture file; a null image when it cannot.
    using Loader = std::function<QImage(const QString& fileName)>;

    explicit PicturePreview(QWidget* parent = nullptr);

    void setLoader(Loader loader) { loader_ = std::move(loader); }
    void showFile(const QString& fileName);
    const QImage& picture() const { return picture_; }
    QString sizeText() const;

private:
    Loader loader_;
    QImage picture_;
    QLabel* size_;
    QLabel* image_;
};

} // namespace voltarix::pictures
