#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <functional>

namespace voltarix::testkit {

// Watches for real message boxes from a timer of its own, which runs in
// whatever event loop is turning: the application's, or the box's own when
// the box was opened with exec(). When a box appears it runs whileOpen once,
// keeps the box open until done() holds or the time is up, and closes it, so
// that a test sees what went on behind the box.
class ModalBoxWatch {
public:
    std::function<void()> whileOpen;
    std::function<bool()> done;
    int keepOpenMs = 1000;

    ModalBoxWatch() {
        timer_.setInterval(2);
        QObject::connect(&timer_, &QTimer::timeout, [this] { look(); });
        timer_.start();
    }

    // Boxes seen so far, and the text of the first.
    int boxesSeen() const { return boxesSeen_; }
    const QString& firstText() const { return firstText_; }
    // True once the first box has been closed by the watch.
    bool closedFirst() const { return closedFirst_; }
    bool doneWhileOpen() const { return doneWhileOpen_; }
    // Whether a box is open now.
    static QMessageBox* openBox() {
        return qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    }

private:
    void look() {
        QMessageBox* box = openBox();
        if (box == nullptr || closedFirst_)
            return;
        if (box != current_) {
            current_ = box;
            if (++boxesSeen_ == 1)
                firstText_ = box->text();
            open_.start();
            if (whileOpen)
                whileOpen();
            return;
        }
        const bool finished = done && done();
        if (finished || open_.elapsed() > keepOpenMs) {
            doneWhileOpen_ = finished;
            closedFirst_ = true;
            box->done(QMessageBox::Ok);
        }
    }

    QTimer timer_;
    QElapsedTimer open_;
    QPointer<QMessageBox> current_;
    int boxesSeen_ = 0;
    QString firstText_;
    bool closedFirst_ = false;
    bool doneWhileOpen_ = false;
};

} // namespace voltarix::testkit
