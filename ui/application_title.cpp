#include "ui/application_title.h"

#include <QCoreApplication>
#include <QVariant>

namespace voltarix::ui {

namespace {
constexpr const char* titleProperty = "voltarixApplicationTitle";
}

void setApplicationTitle(const QString& title) {
    if (QCoreApplication* app = QCoreApplication::instance())
        app->setProperty(titleProperty, title);
}

QString applicationTitle() {
    const QCoreApplication* app = QCoreApplication::instance();
    return app ? app->property(titleProperty).toString() : QString();
}

} // namespace voltarix::ui
