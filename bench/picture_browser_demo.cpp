// Opens picture files in the picture browser, one after the other, to look at
// the browser on its own: picture_browser_demo FILE...
// Without files it runs the open command with its dialog instead.
// Errors go to the standard error box, as in the program.
#include "pictures/browser/picture_browser.h"
#include "ui/handler_errors.h"
#include "ui/qt_message_service.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    voltarix::ui::QtMessageService messages;
    const voltarix::ui::HandlerErrors errors(messages);
    voltarix::pictures::TForm4 browser;
    // Here the browser is the only window: closing it ends the demo.
    browser.setAttribute(Qt::WA_QuitOnClose, true);
    const QStringList paths = QApplication::arguments().mid(1);
    for (const QString& path : paths)
        errors.run([&] { browser.openPicture(path); });
    if (paths.isEmpty())
        errors.run([&] { browser.openPictureFromDialog(nullptr); });
    browser.showBrowser();
    return QApplication::exec();
}
