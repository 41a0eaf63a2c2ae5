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

// The program's one question (the 17-bit density) is an information box whose
// default answer is No, so that Enter never confirms it by accident.
bool QtMessageService::askYesNo(QWidget* owner, const QString& caption, const QString& text) {
    QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Yes | QMessageBox::No,
                    owner);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void QtMessageService::showError(const QString& text) {
    QMessageBox::critical(QApplication::activeWindow(), applicationTitle(), text, QMessageBox::Ok);
}

// Modal all the same: the user answers it before anything else, while the
// timers behind it go on.
void QtMessageService::showErrorWithoutWaiting(const QString& text, QObject* context,
                                               std::function<void()> closed) {
    auto* box = new QMessageBox(QMessageBox::Critical, applicationTitle(), text, QMessageBox::Ok,
                                QApplication::activeWindow());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    QObject::connect(box, &QDialog::finished, context, [closed = std::move(closed)] {
        if (closed)
            closed();
    });
    box->show();
}

} // namespace voltarix::ui
