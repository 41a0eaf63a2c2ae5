#pragma once

#include <functional>
#include <utility>

namespace voltarix::chart {

// Tells the owner once that something visible changed since it last looked. Appends come at
// hundreds of thousands per second, so only the first change after a clear() calls out.
class ChangeSignal {
public:
    void setListener(std::function<void()> listener) { listener_ = std::move(listener); }

    void touch() {
        if (dirty_)
            return;
        dirty_ = true;
        if (listener_)
            listener_();
    }
    void clear() { dirty_ = false; }
    bool dirty() const { return dirty_; }

private:
    std::function<void()> listener_;
    bool dirty_ = false;
};

} // namespace voltarix::chart
