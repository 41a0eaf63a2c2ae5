#pragma once

#include <QString>

#include <functional>

class QObject;

namespace voltarix::ui {

class HandlerErrors;
class MessageService;

// The error box of a handler that a timer's tick runs (a record step of the
// register diagram inside Timer1, an autosave inside the page number's
// change). The box does not wait inside the tick, so the timer goes on
// ticking behind it. One box at a time: while it is open, a further failure
// of the same handler adds no box over it.
class TickErrorBox {
public:
    // context: the handler's owner, which holds this box; once it is gone,
    // the box's closing is reported to no one.
    TickErrorBox(const HandlerErrors& errors, QObject* context);

    // Runs the handler; an error it raises ends it and is shown.
    void run(const std::function<void()>& handler);
    bool isOpen() const { return open_; }

private:
    void show(const QString& text);

    MessageService& messages_;
    QObject* context_;
    bool open_ = false;
};

} // namespace voltarix::ui
