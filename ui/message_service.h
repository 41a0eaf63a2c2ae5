#pragma once

#include <QString>

#include <functional>

class QObject;
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
    // The same box for an error raised inside a timer's tick, shown without
    // waiting for it to close: a box that waited inside the tick would stop
    // that timer, and all that runs from it, until the user closed it.
    // closed runs once the box has been closed, unless context is gone. This
    // default suits services whose boxes never wait anyway: the box as
    // showError shows it, closed at once.
    virtual void showErrorWithoutWaiting(const QString& text, QObject* context,
                                         std::function<void()> closed) {
        static_cast<void>(context);
        showError(text);
        if (closed)
            closed();
    }
};

} // namespace voltarix::ui
