#pragma once

#include <functional>

namespace voltarix::ui {

class MessageService;

// The one place where an error raised inside an event handler ends: the
// handler stops, the standard error box shows the error's message, and the
// program goes on.
class HandlerErrors {
public:
    explicit HandlerErrors(MessageService& messages) : messages_(messages) {}

    void run(const std::function<void()>& handler) const;

    // A callable that runs the handler through run(), for connecting to signals.
    template <typename Handler> auto guarded(Handler handler) const {
        return [this, handler]() { run(handler); };
    }

    // Where the boxes go; a handler that a timer's tick runs shows its error
    // through a TickErrorBox instead.
    MessageService& messages() const { return messages_; }

private:
    MessageService& messages_;
};

} // namespace voltarix::ui
