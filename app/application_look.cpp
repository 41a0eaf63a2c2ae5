#include "app/application_look.h"

#include "app/qt_translation.h"
#include "ui/application_title.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
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
    QIcon icon;
    icon.addFile(QStringLiteral(":/voltarix/pictures/voltarix_32.png"));
    icon.addFile(QStringLiteral(":/voltarix/pictures/voltarix_48.png"));
    app.setWindowIcon(icon);
    // Lets the desktop match the windows to the installed entry and its icon.
    app.setDesktopFileName(QStringLiteral("voltarix"));
    installQtRussianTranslation(app);
}

} // namespace voltarix::app
