#pragma once

#include "port/linux/port_io.h"

namespace voltarix::port::linux_ {

// ioperm, inb and outb on x86. Elsewhere there are no port instructions:
// every permission is refused and nothing else is ever reached.
class SystemPortIo final : public PortIo {
public:
    int permit(std::uint16_t first, std::uint16_t count, bool on) override;
    std::uint8_t in(std::uint16_t address) override;
    void out(std::uint16_t address, std::uint8_t value) override;
};

} // namespace voltarix::port::linux_
