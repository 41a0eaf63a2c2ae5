#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace voltarix::cli {

// A port named on the command line by its base address, as the window's port
// selector names it ("$378"), or as a shell lets it through unquoted: "0x378"
// or "378". Case does not matter.
class PortName {
public:
    // The port code; nothing for any other text.
    static std::optional<std::uint8_t> parse(const QString& text);
};

} // namespace voltarix::cli
