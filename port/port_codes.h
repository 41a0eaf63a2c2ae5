#pragma once

#include <cstdint>

namespace voltarix::port {

// A port code names one of the three ports by its high nibble.
inline constexpr std::uint8_t PortCodeLpt1 = 0x10; // base 0x3BC
inline constexpr std::uint8_t PortCodeLpt2 = 0x20; // base 0x378
inline constexpr std::uint8_t PortCodeLpt3 = 0x30; // base 0x278

// Register offsets within a port.
inline constexpr std::uint8_t RegData = 0;
inline constexpr std::uint8_t RegStatus = 1;
inline constexpr std::uint8_t RegControl = 2;

// Control register bits.
inline constexpr std::uint8_t CtrlStrobe = 0x01;
inline constexpr std::uint8_t CtrlAutoFeed = 0x02;
inline constexpr std::uint8_t CtrlInit = 0x04;
inline constexpr std::uint8_t CtrlSelectIn = 0x08;
inline constexpr std::uint8_t CtrlDirection = 0x20;

// Status register bits.
inline constexpr std::uint8_t StatError = 0x08;
inline constexpr std::uint8_t StatSelect = 0x10;
inline constexpr std::uint8_t StatPaperEnd = 0x20;
inline constexpr std::uint8_t StatAck = 0x40;
inline constexpr std::uint8_t StatBusy = 0x80;

// A selector names one register of one port: port code OR register offset.
constexpr std::uint8_t portSelector(std::uint8_t portCode, std::uint8_t regOffset) {
    return static_cast<std::uint8_t>(portCode | regOffset);
}

// The base address the user sees and direct access uses. Any high nibble
// other than 1 and 2 is the port at 0x278.
constexpr std::uint16_t baseAddressOfSelector(std::uint8_t selector) {
    switch (selector >> 4) {
    case 1:
        return 0x3BC;
    case 2:
        return 0x378;
    default:
        return 0x278;
    }
}

// The I/O address of a selector for direct access: only the low three bits
// count as the register offset.
constexpr std::uint16_t ioAddressOfSelector(std::uint8_t selector) {
    return static_cast<std::uint16_t>(baseAddressOfSelector(selector) + (selector & 0x07));
}

} // namespace voltarix::port
