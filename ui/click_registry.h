#pragma once

#include <QHash>
#include <QString>

#include <functional>

namespace voltarix::ui {

// The click operations of the window's buttons, by the button's object name.
// A menu item that stands for a button, the cycle limit and the synchronous
// start all "click" a button through here: the handler runs whether or not the
// button is enabled, and no mouse press is involved.
class ClickRegistry {
public:
    using Handler = std::function<void()>;

    // Registers the click operation of the named button; a second
    // registration under the same name replaces the first.
    void add(const QString& buttonName, Handler handler);
    bool contains(const QString& buttonName) const { return handlers_.contains(buttonName); }
    // Runs the named button's click operation; false when none is registered.
    bool click(const QString& buttonName) const;

private:
    QHash<QString, Handler> handlers_;
};

} // namespace voltarix::ui
