#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace voltarix::port::linux_ {

// One ppdev node as the kernel lists it: /dev/parport<index>, and the I/O
// base address the kernel reports for it, when that could be read.
struct ParportNodeInfo {
    int index = 0;
    std::optional<unsigned long> baseAddress;
};

// Which ppdev node answers for which of the three port codes.
//
// Nodes at the addresses the user interface assumes take their own codes, so
// "$378" means the port at 0x378 whatever order the kernel found the ports
// in. Nodes anywhere else (add-in cards, or an address we could not read)
// take the codes left over, in node order, so such a card is usable too.
class PortNodeMap {
public:
    PortNodeMap() = default;
    explicit PortNodeMap(std::span<const ParportNodeInfo> nodes);

    // The node index for a port code (0x10, 0x20, 0x30), if one was assigned.
    std::optional<int> nodeOf(std::uint8_t portCode) const;

private:
    static std::optional<std::size_t> slotOfCode(std::uint8_t portCode);
    static std::optional<std::size_t> slotOfAddress(std::optional<unsigned long> baseAddress);

    std::array<std::optional<int>, 3> nodes_{};
};

} // namespace voltarix::port::linux_
