#pragma once

#include "chart/recent_masks.h"
#include "chart/varint.h"
#include "diagram17/cycle_time_entry.h"

#include <QtGlobal>

#include <cstdint>

namespace voltarix::diagram17 {

// The code of one kept cycle against the one kept before it. A first byte tells the three
// steps, each in its common form: the cycle step (1, the step before, 2, or a varint); the time
// step as its difference from what the cycle step takes at the pace of the step before (0 to 6,
// zigzag coded so that a step shorter than expected is small too, or a varint); and the change
// of levels (none, one of the six seen lately, or a varint). What does not fit follows in that
// order. A steady capture keeps to its pace within a microsecond or so, so every line toggling
// every cycle costs one byte a cycle, a change after thousands of idle cycles two or three;
// days between two runs cost a few more, once.
class CycleTimeCode {
public:
    using Masks = chart::RecentMasks<6>;
    static constexpr int kMaxBytes = 1 + 2 * chart::kMaxVarintBytes + 5;

    // What a code is read against; it starts afresh at every block of codes.
    struct History {
        CycleTimeEntry last;
        std::uint64_t lastCycleStep = 0;
        std::uint64_t lastTimeStep = 0;
        Masks masks;

        void restart(const CycleTimeEntry& first) {
            last = first;
            lastCycleStep = 0;
            lastTimeStep = 0;
            masks.clear();
        }
        // The time `cycleStep` cycles take at the pace of the step before.
        std::uint64_t expectedTimeStep(std::uint64_t cycleStep) const;
        // The same for a cycle step unlike the one before, which takes a division.
        std::uint64_t scaledTimeStep(std::uint64_t cycleStep) const;
        void step(std::uint64_t cycleStep, std::uint64_t timeStep) {
            lastCycleStep = cycleStep;
            lastTimeStep = timeStep;
        }
    };

    // The entry comes after history.last: a later cycle at the same time or later. Its parts
    // come one by one: an entry passed whole goes through the stack, and reading it back
    // stalls on the parts just written.
    Q_ALWAYS_INLINE static std::uint8_t* write(std::uint8_t* out, std::uint64_t cycle,
                                               std::uint64_t timeUs, std::uint32_t levels,
                                               History& history) {
        // The mask comes between the cycle step and the time step on purpose: side by side,
        // the compiler reads both last values in one 16-byte load, which the processor cannot
        // serve from the two 8-byte stores of the call before and must wait for.
        const std::uint64_t cycleStep = cycle - history.last.cycle;
        const unsigned cycleCode = cycleStep == 1                       ? 0
                                   : cycleStep == history.lastCycleStep ? 1
                                   : cycleStep == 2                     ? 2
                                                                        : kEscape2;
        const std::uint32_t mask = levels ^ history.last.levels;
        const auto maskCode = static_cast<unsigned>(mask == 0 ? 0 : 1 + history.masks.encode(mask));
        const std::uint64_t timeStep = timeUs - history.last.timeUs;
        const std::uint64_t timeDifference = zigzag(timeStep, history.expectedTimeStep(cycleStep));
        const auto timeCode =
            static_cast<unsigned>(timeDifference < kEscape3 ? timeDifference : kEscape3);
        *out++ = static_cast<std::uint8_t>(cycleCode | timeCode << 2 | maskCode << 5);
        if (cycleCode == kEscape2)
            out = chart::writeVarint(out, cycleStep);
        if (timeCode == kEscape3)
            out = chart::writeVarint(out, timeDifference - kEscape3);
        if (maskCode == kEscape3)
            out = chart::writeVarint(out, mask);
        history.last.cycle = cycle;
        history.last.timeUs = timeUs;
        history.last.levels = levels;
        history.step(cycleStep, timeStep);
        return out;
    }

    Q_ALWAYS_INLINE static const std::uint8_t* read(const std::uint8_t* in, History& history) {
        const std::uint8_t byte = *in++;
        const unsigned cycleCode = byte & kEscape2;
        const unsigned timeCode = (byte >> 2) & kEscape3;
        const unsigned maskCode = byte >> 5;
        std::uint64_t cycleStep = cycleCode == 0 ? 1 : cycleCode == 1 ? history.lastCycleStep : 2;
        if (cycleCode == kEscape2)
            cycleStep = chart::readVarint(in);
        std::uint64_t timeDifference = timeCode;
        if (timeCode == kEscape3)
            timeDifference += chart::readVarint(in);
        std::uint32_t mask = 0;
        if (maskCode != 0) {
            const auto literal =
                maskCode == kEscape3 ? static_cast<std::uint32_t>(chart::readVarint(in)) : 0u;
            mask = history.masks.decode(static_cast<int>(maskCode) - 1, literal);
        }
        const std::uint64_t timeStep =
            unzigzag(timeDifference, history.expectedTimeStep(cycleStep));
        history.last.cycle += cycleStep;
        history.last.timeUs += timeStep;
        history.last.levels ^= mask;
        history.step(cycleStep, timeStep);
        return in;
    }

private:
    static constexpr unsigned kEscape2 = 3;
    static constexpr unsigned kEscape3 = 7;
    static_assert(Masks::kCount + 1 == kEscape3, "the mask places fill the three bits");

    // Steps longer than expected become even numbers, shorter ones odd. The difference is
    // taken modulo 2^64 and read as signed, which maps every pair of steps to one number and
    // back, however far apart they are.
    static std::uint64_t zigzag(std::uint64_t actual, std::uint64_t expected) {
        const std::uint64_t difference = actual - expected;
        return difference << 1 ^ (difference >> 63 ? ~std::uint64_t{0} : 0);
    }
    static std::uint64_t unzigzag(std::uint64_t code, std::uint64_t expected) {
        const std::uint64_t difference = code >> 1 ^ (code & 1 ? ~std::uint64_t{0} : 0);
        return expected + difference;
    }
};

// Equal cycle steps, the common case, take no division.
inline std::uint64_t CycleTimeCode::History::expectedTimeStep(std::uint64_t cycleStep) const {
    if (lastCycleStep == 0)
        return 0;
    if (cycleStep == lastCycleStep)
        return lastTimeStep;
    return scaledTimeStep(cycleStep);
}

} // namespace voltarix::diagram17
