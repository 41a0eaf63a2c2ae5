#include "ui/qt_message_service.h"

#include "ui/application_title.h"

#include <QApplication>
#include <QMessageBox>

namespace voltarix::ui {

void QtMessageService::showPlain(QWidget* owner, const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, owner);
    box.exec();
}

void QtMessageService::showInformation(QWidget* owner, const QString& caption,
                                       const QString& text) {
    QMessageBox::information(owner, caption, text, QMessageBox::Ok);
}

bool QtMessageService::askYesNo(QWidget* owner, const QString& caption, const QString& text) {
    return QMessageBox::question(owner, caption, text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

void QtMessageService::showError(const QString& text) {
    QMessageBox::critical(QApplication::activeWindow(), applicationTitle(), text, QMessageBox::Ok);
}

} // namespace voltarix::ui
