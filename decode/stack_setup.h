#pragma once

#include <map>
#include <string>
#include <vector>

namespace voltarix::decode {

// The connector pins a channel may be given: 1 to 17, as the 17-bit chart numbers them.
inline constexpr int firstPin = 1;
inline constexpr int lastPin = 17;

// One decoder of a stack as the user set it up: texts as typed, checked only when the stack is
// checked (checkStack) or started.
struct LayerSetup {
    std::string decoderId;
    // Channel id -> pin (1..17). Only the bottom layer of a stack reads pins; a required channel
    // must be given, an optional one may be left out.
    std::map<std::string, int> channels;
    // Option id -> value as typed ("9600", "lsb-first"); an option left out keeps the
    // decoder's default.
    std::map<std::string, std::string> options;

    friend bool operator==(const LayerSetup&, const LayerSetup&) = default;
};

// Decoders stacked on each other, bottom first: layers[0] reads the pins, each later layer
// reads the output of the one below it (i2c, then eeprom24xx on it).
struct StackSetup {
    std::vector<LayerSetup> layers;

    friend bool operator==(const StackSetup&, const StackSetup&) = default;
};

} // namespace voltarix::decode
