#include "ui/handler_errors.h"

#include "ui/message_service.h"

#include <QString>

#include <exception>

namespace voltarix::ui {

void HandlerErrors::run(const std::function<void()>& handler) const {
    try {
        handler();
    } catch (const std::exception& error) {
        messages_.showError(QString::fromUtf8(error.what()));
    }
}

} // namespace voltarix::ui
