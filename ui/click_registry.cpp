#include "ui/click_registry.h"

namespace voltarix::ui {

void ClickRegistry::add(const QString& buttonName, Handler handler) {
    handlers_.insert(buttonName, std::move(handler));
}

bool ClickRegistry::click(const QString& buttonName) const {
    const auto found = handlers_.constFind(buttonName);
    if (found == handlers_.constEnd() || !*found)
        return false;
    // A copy, so that a handler that re-registers its own button cannot pull
    // the callable out from under itself.
    const Handler handler = *found;
    handler();
    return true;
}

} // namespace voltarix::ui
