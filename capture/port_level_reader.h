#pragma once

#include "capture/level_source.h"

#include <atomic>
#include <cstdint>

namespace voltarix::port {
class TLptPortConnection;
}

namespace voltarix::capture {

// Reads the 17 connector lines of one port in capture order (status pins
// 11, 10, 12, 13, 15, control pins 17, 16, 14, 1, data pins 9 down to 2),
// the level at the connector in bit k for line k.
//
// By default each line is one register read of its own, one after the other,
// as the pin functions of the panel read them: 17 requests a cycle, and the
// lines of a cycle are not sampled at the same instant. Coherent reading
// takes each of the three registers once (status, control, data) and every
// line from those values: 3 requests, one snapshot a cycle.
//
// The port and the way of reading may be changed from any thread; a cycle
// uses what was set when it began.
class PortLevelReader final : public LevelSource {
public:
    explicit PortLevelReader(port::TLptPortConnection& connection);

    void setPortCode(std::uint8_t portCode) {
        portCode_.store(portCode, std::memory_order_relaxed);
    }
    void setCoherent(bool coherent) { coherent_.store(coherent, std::memory_order_relaxed); }
    bool coherent() const { return coherent_.load(std::memory_order_relaxed); }

    std::uint32_t readLevels() override;

    // The levels the three register values give, in capture order.
    static std::uint32_t levelsOf(std::uint8_t status, std::uint8_t control, std::uint8_t data);

private:
    std::uint32_t readLineByLine(std::uint8_t portCode);
    std::uint32_t readOncePerRegister(std::uint8_t portCode);

    port::TLptPortConnection& connection_;
    std::atomic<std::uint8_t> portCode_;
    std::atomic<bool> coherent_ = false;
};

} // namespace voltarix::capture
