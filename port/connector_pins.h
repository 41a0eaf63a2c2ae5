#pragma once

#include "port/port_codes.h"

#include <array>
#include <cstdint>

namespace voltarix::port {

// Where each of the 17 signal pins of the 25-pin connector lives: its
// register, its bit, and whether the port hardware inverts it between the
// connector and the register (pins 1, 11, 14 and 17).
struct PinLine {
    std::uint8_t regOffset;
    std::uint8_t mask;
    bool inverted;
};

constexpr PinLine pinLine(int pin) {
    switch (pin) {
    case 1:
        return {RegControl, CtrlStrobe, true};
    case 10:
        return {RegStatus, StatAck, false};
    case 11:
        return {RegStatus, StatBusy, true};
    case 12:
        return {RegStatus, StatPaperEnd, false};
    case 13:
        return {RegStatus, StatSelect, false};
    case 14:
        return {RegControl, CtrlAutoFeed, true};
    case 15:
        return {RegStatus, StatError, false};
    case 16:
        return {RegControl, CtrlInit, false};
    case 17:
        return {RegControl, CtrlSelectIn, true};
    default: // pins 2 to 9: data bits 0 to 7
        return {RegData, static_cast<std::uint8_t>(1u << ((pin - 2) & 7)), false};
    }
}

// The level at the connector (true = high) that a register value gives a pin.
constexpr bool pinLevel(const PinLine& line, std::uint8_t registerValue) {
    return ((registerValue & line.mask) == line.mask) != line.inverted;
}

// The 17 lines in the order a capture reads and records them: the status
// register's bits from 7 down to 3, the control register's from 3 down to 0,
// the data register's from 7 down to 0. Bit k of a recorded word is line k.
inline constexpr int lineCount = 17;
inline constexpr std::array<int, lineCount> captureOrderPins{11, 10, 12, 13, 15, 17, 16, 14, 1,
                                                             9,  8,  7,  6,  5,  4,  3,  2};

} // namespace voltarix::port
