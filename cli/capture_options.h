#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace voltarix::cli {

// What a capture from the command line was asked for. It ends after the
// duration or the number of cycles, whichever comes first when both are
// given.
struct CaptureOptions {
    std::optional<std::uint64_t> durationNs;
    std::optional<std::uint64_t> cycles;
    QString output;
    // The port named, or nothing for the one the window's selector starts on.
    std::optional<std::uint8_t> portCode;
    // One read of each register a cycle, as the window's CheckBox32.
    bool coherent = false;
    // Protocol decoder stacks in sigrok-cli's -P syntax, decoded once the
    // recording is complete.
    QStringList decoders;
};

} // namespace voltarix::cli
