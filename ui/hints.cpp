#include "ui/hints.h"

#include <QEvent>
#include <QWidget>

namespace voltarix::ui {

namespace {
constexpr const char* popupOffProperty = "voltarixHintPopupOff";
}

void setHint(QWidget* control, const QString& hint, bool popup) {
    control->setToolTip(hint);
    control->setProperty(popupOffProperty, !popup);
}

QString hintOf(const QWidget* control) {
    for (const QWidget* w = control; w; w = w->parentWidget()) {
        if (!w->toolTip().isEmpty())
            return w->toolTip();
        if (w->isWindow())
            break;
    }
    return {};
}

HintDisplay::HintDisplay(Show show, QObject* parent) : QObject(parent), show_(std::move(show)) {}

bool HintDisplay::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget)
        return false;
    switch (event->type()) {
    case QEvent::Enter:
        show_(hintOf(widget));
        break;
    case QEvent::Leave:
        // Entering a child sends Leave to nothing; leaving for the parent
        // means the parent's hint is in force again.
        if (QWidget* parent = widget->parentWidget(); parent && parent->underMouse())
            show_(hintOf(parent));
        break;
    case QEvent::ToolTip:
        return widget->property(popupOffProperty).toBool();
    default:
        break;
    }
    return false;
}

} // namespace voltarix::ui
