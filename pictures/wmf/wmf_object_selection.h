#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace voltarix::pictures {

class WmfRecordWriter;

// Which pen, brush and font the playing device has selected, so that an
// object is created only when the drawing needs a different one, and an
// object no longer selected is deleted at once. A saved device state selects
// its objects again when it is restored, so those objects live until then.
class WmfObjectSelection {
public:
    enum Kind { Pen, Brush, Font };

    explicit WmfObjectSelection(WmfRecordWriter& writer) : writer_(writer) {}

    // Makes the object that key describes the selected one of its kind;
    // create writes the object's record and returns its index.
    void use(Kind kind, const std::string& key, const std::function<std::uint16_t()>& create);
    // Saves the device state; the objects selected now live until it is restored.
    void saveState();
    void restoreState();
    bool stateSaved() const { return saved_.has_value(); }

private:
    struct Selected {
        std::string key;
        std::uint16_t index;
    };
    using Selection = std::array<std::optional<Selected>, 3>;

    void release(Kind kind);

    WmfRecordWriter& writer_;
    Selection current_;
    std::optional<Selection> saved_;
};

} // namespace voltarix::pictures
