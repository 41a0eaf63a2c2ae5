// Opens picture files in the picture browser, one after the other, to look at
// the browser on its own: picture_browser_demo FILE...
// Errors go to the standard error box, as in the program.
#include "pictures/picture_browser.h"
#include "ui/handler_errors.h"
#include "ui/qt_message_service.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    voltarix::ui::QtMessageService messages;
    const voltarix::ui::HandlerErrors errors(messages);
    voltarix::pictures::TForm4 browser;
    for (const QString& path : QApplication::arguments().mid(1))
        errors.run([&] { browser.openPicture(path); });
    browser.showBrowser();
    return QApplication::exec();
}
