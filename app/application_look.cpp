#include "app/application_look.h"

#include "ui/application_title.h"

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
    // Not the display name: Qt would append that to every caption on X11.
    ui::setApplicationTitle(QStringLiteral(" VOLTARIX"));
}

} // namespace voltarix::app
