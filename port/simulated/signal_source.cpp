#include "port/simulated/signal_source.h"

#include "port/port_codes.h"

#include <string_view>

namespace voltarix::port {

namespace {

constexpr std::string_view serialText = "VOLTARIX";
constexpr int bitsPerCharacter = 10; // start, eight data bits, stop

} // namespace

unsigned SignalSource::counterAt(std::chrono::nanoseconds sinceStart) {
    return static_cast<unsigned>((sinceStart / counterStep) & 0x0F);
}

bool SignalSource::serialLineAt(std::chrono::nanoseconds sinceStart, int baudRate) {
    const auto intoFrame = sinceStart % framePeriod;
    const auto bitIndex =
        intoFrame.count() * baudRate / std::chrono::nanoseconds(std::chrono::seconds(1)).count();
    const auto character = bitIndex / bitsPerCharacter;
    if (character >= static_cast<long long>(serialText.size()))
        return true; // idle between frames
    const auto bitInCharacter = bitIndex % bitsPerCharacter;
    if (bitInCharacter == 0)
        return false; // start bit
    if (bitInCharacter == bitsPerCharacter - 1)
        return true; // stop bit
    const auto byte = static_cast<unsigned char>(serialText[static_cast<std::size_t>(character)]);
    return ((byte >> (bitInCharacter - 1)) & 1) != 0; // least significant bit first
}

std::uint8_t SignalSource::statusAt(std::chrono::nanoseconds sinceStart, int baudRate) {
    const unsigned counter = counterAt(sinceStart);
    std::uint8_t status = 0;
    if (counter & 0x1)
        status |= StatSelect;
    if (counter & 0x2)
        status |= StatPaperEnd;
    if (counter & 0x4)
        status |= StatAck;
    // Busy is inverted between connector and register.
    if (!(counter & 0x8))
        status |= StatBusy;
    if (serialLineAt(sinceStart, baudRate))
        status |= StatError;
    return status;
}

} // namespace voltarix::port
