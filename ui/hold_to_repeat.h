#pragma once

#include <QObject>

#include <functional>
#include <map>

class QAbstractButton;

namespace voltarix::ui {

// Hold-to-repeat of scroll buttons: a mouse press (any mouse button) on an
// enabled watched button begins a hold in that button's direction, and the
// hold ends when the last mouse button is let go, wherever the pointer is by
// then. Qt's own pressed and released signals also come each time the
// pointer leaves and re-enters a held button, which would stop and restart
// the repeat on the way.
class HoldToRepeat : public QObject {
    Q_OBJECT
public:
    using Began = std::function<void(int direction)>;
    using Ended = std::function<void()>;

    HoldToRepeat(Began began, Ended ended, QObject* parent = nullptr);

    void watch(QAbstractButton& button, int direction);
    bool held() const { return held_ != nullptr; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void end();

    Began began_;
    Ended ended_;
    std::map<const QObject*, int> directions_;
    const QObject* held_ = nullptr;
};

} // namespace voltarix::ui
