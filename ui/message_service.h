#pragma once

#include <QString>

class QWidget;

namespace voltarix::ui {

// The message boxes the program shows. Windows talk to this interface so
// that tests can read what would have been shown instead of blocking on it.
class MessageService {
public:
    virtual ~MessageService() = default;

    // A plain box with an OK button and no icon, as the start-up failure uses.
    virtual void showPlain(QWidget* owner, const QString& caption, const QString& text) = 0;
    // An information box with one OK button.
    virtual void showInformation(QWidget* owner, const QString& caption, const QString& text) = 0;
    // A question with Yes and No, No the default; true for Yes.
    virtual bool askYesNo(QWidget* owner, const QString& caption, const QString& text) = 0;
    // The application's standard error box for an error raised in a handler.
    virtual void showError(const QString& text) = 0;
};

} // namespace voltarix::ui
