#include "app/application_look.h"

#include <QApplication>
#include <QFont>
#include <QStyleFactory>

namespace voltarix::app {

void applyApplicationLook(QApplication& app) {
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(8);
    app.setFont(font);
    app.setApplicationDisplayName(QStringLiteral(" VOLTARIX"));
}

} // namespace voltarix::app
