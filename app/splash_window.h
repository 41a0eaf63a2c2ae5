#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>

class QTimer;

namespace voltarix::app {

// The splash window: the program's picture, borderless and on top of every
// window, from the first moment of start-up. Its own one-shot timer closes it
// five seconds after creation, but only if the main window is on screen by
// then; otherwise it stays until the program ends.
class TForm3 : public QWidget {
    Q_OBJECT
public:
    static constexpr int splashMilliseconds = 5000;

    explicit TForm3(const QImage& picture, QWidget* parent = nullptr);

    // The picture the program carries, decoded from its resources.
    static QImage splashPicture();

    // Shows the window and paints it before start-up goes on.
    void showAndPaint();
    // The window whose visibility the timer asks about; it may come later
    // than the splash itself.
    void setMainWindow(QWidget* mainWindow) { mainWindow_ = mainWindow; }
    QTimer* timer() const { return timer1_; }

    void Timer1Timer();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void centreOnDesktop();

    QImage picture_;
    QPointer<QWidget> mainWindow_;
    QTimer* timer1_;
};

} // namespace voltarix::app
