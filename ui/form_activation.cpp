#include "ui/form_activation.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace voltarix::ui {

namespace {

const QString formPrefix = QStringLiteral("TForm");

} // namespace

FormActivation::FormActivation(QObject* parent) : QObject(parent) {
    if (QWidget* active = QApplication::activeWindow(); isForm(active))
        activeForm_ = active;
    qApp->installEventFilter(this);
}

bool FormActivation::isForm(const QWidget* window) {
    if (window == nullptr || !window->isWindow())
        return false;
    const QString name = window->objectName();
    if (!name.startsWith(formPrefix) || name.size() == formPrefix.size())
        return false;
    for (qsizetype i = formPrefix.size(); i < name.size(); ++i) {
        if (!name[i].isDigit())
            return false;
    }
    return true;
}

bool FormActivation::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::WindowActivate && watched->isWidgetType())
        windowActivated(static_cast<QWidget*>(watched));
    return QObject::eventFilter(watched, event);
}

void FormActivation::windowActivated(QWidget* window) {
    if (!isForm(window) || window == activeForm_)
        return;
    activeForm_ = window;
    emit formActivated(window);
}

} // namespace voltarix::ui
