#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

class QLabel;
class QScrollArea;

namespace voltarix::pictures {

// The picture browser: one window for the whole run, showing one picture at
// its natural size at the top left corner, one picture pixel a screen pixel,
// never scaled, with scroll bars when the picture is larger than the window. Closing it only hides
// it; its picture and caption stay for the next time it is shown.
class TForm4 : public QWidget {
    Q_OBJECT
public:
    explicit TForm4(QWidget* parent = nullptr);

    // Open a picture (the open command after its dialog): the caption takes
    // the file's full path at once; the picture replaces the old one only
    // when it loaded, and only then is the browser shown. Throws
    // PictureError with the text of the error box otherwise.
    void openPicture(const QString& path);
    // The whole open command: runs the picture open dialog over the owner
    // window and opens the chosen file; a cancelled dialog does nothing.
    void openPictureFromDialog(QWidget* owner);
    // Shows the window as it was left, hidden or not.
    void showBrowser();

    const QImage& picture() const { return picture_; }
    QLabel* image1() const { return image_; }

private:
    void showPicture(const QImage& picture);
    double screenDotsPerInch() const;

    QScrollArea* scrollArea_ = nullptr;
    QLabel* image_ = nullptr;
    QImage picture_;
    QString lastFolder_;
};

} // namespace voltarix::pictures
