#pragma once

#include "decode/stack_setup.h"

#include <cstdint>
#include <vector>

namespace voltarix::decode {

// What a DecodeWorker decodes and how.
struct DecodeSettings {
    // Decoded independently: a fault in one stops only that one.
    std::vector<StackSetup> stacks;
    // Samples a second of the uniform stream the decoders read; 0 derives it from the
    // recording (SampleRate::derive).
    std::uint64_t sampleRateHz = 0;
    // How many cycles from the start of the recording the derived rate looks at; decoding
    // starts once the recording has them (or has ended).
    std::uint64_t rateCycles = 1u << 20;
    // The decoding thread's nice value (0 to 19), so that a running capture keeps its core.
    int niceness = 10;

    friend bool operator==(const DecodeSettings&, const DecodeSettings&) = default;
};

} // namespace voltarix::decode
