#include "ui/tick_error_box.h"

#include "ui/handler_errors.h"
#include "ui/message_service.h"

#include <exception>

namespace voltarix::ui {

TickErrorBox::TickErrorBox(const HandlerErrors& errors, QObject* context)
    : messages_(errors.messages()), context_(context) {}

void TickErrorBox::run(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        show(QString::fromUtf8(error.what()));
    }
}

void TickErrorBox::show(const QString& text) {
    if (open_)
        return;
    open_ = true;
    messages_.showErrorWithoutWaiting(text, context_, [this] { open_ = false; });
}

} // namespace voltarix::ui
