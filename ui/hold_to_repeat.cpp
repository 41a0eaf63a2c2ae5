#include "ui/hold_to_repeat.h"

#include <QAbstractButton>
#include <QMouseEvent>

namespace voltarix::ui {

HoldToRepeat::HoldToRepeat(Began began, Ended ended, QObject* parent)
    : QObject(parent), began_(std::move(began)), ended_(std::move(ended)) {}

void HoldToRepeat::watch(QAbstractButton& button, int direction) {
    directions_[&button] = direction;
    button.installEventFilter(this);
}

bool HoldToRepeat::eventFilter(QObject* watched, QEvent* event) {
    const auto found = directions_.find(watched);
    if (found == directions_.end())
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: { // the second press of a quick double click
        const auto* mouse = static_cast<QMouseEvent*>(event);
        // With no other mouse button down, an earlier hold has ended unseen
        // (a window that took the mouse meanwhile had its release).
        if (held_ && mouse->buttons() == mouse->button())
            end();
        // A disabled button takes no press, though its event filter sees it.
        if (!held_ && static_cast<QWidget*>(watched)->isEnabled()) {
            held_ = watched;
            began_(found->second);
        }
        break;
    }
    case QEvent::MouseButtonRelease:
        if (held_ == watched && static_cast<QMouseEvent*>(event)->buttons() == Qt::NoButton)
            end();
        break;
    case QEvent::Hide: // a hidden button never sees its release
    case QEvent::EnabledChange:
        if (held_ == watched)
            end();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void HoldToRepeat::end() {
    held_ = nullptr;
    ended_();
}

} // namespace voltarix::ui
