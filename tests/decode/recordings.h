#pragma once

#include "diagram17/cycle_times.h"

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace voltarix::decode::testing {

// Pin-order levels (pin p in bit p - 1) as a recording keeps them: trace order.
std::uint32_t traceLevelsOfPins(std::uint32_t pins);

// Cycles of a capture at a steady pace: cycle c is read at startNs + c * cycleNs on the
// capture's clock, and every cycle is passed to the cycle times, as the capture loop passes
// them when it keeps up with the sampler.
class PacedRecording {
public:
    PacedRecording(diagram17::CycleTimes& times, double cycleNs, std::uint64_t startNs)
        : times_(times), cycleNs_(cycleNs), startNs_(startNs) {}

    // Cycles [next, next + count) with the pins `pinsAt(ns since start)` gives.
    void record(std::uint64_t count, const std::function<std::uint32_t(std::uint64_t)>& pinsAt);
    std::uint64_t nextCycle() const { return next_; }
    std::uint64_t nsOf(std::uint64_t cycle) const;

private:
    diagram17::CycleTimes& times_;
    double cycleNs_;
    std::uint64_t startNs_;
    std::uint64_t next_ = 0;
};

// The simulated port's pins at a time since its source started: the status lines from the
// signal source (the counter on 10 to 13, the serial text on 15), the control lines as the
// kernel leaves them (pins 1, 14 and 16 high, 17 low), the data lines low.
std::uint32_t simulatedPins(std::uint64_t sourceNs, int baudRate);

// Level steps on a few pins: from each step's time on, `pins` hold.
struct Step {
    std::uint64_t ns;
    std::uint32_t pins;
};

// Plays steps in time order; a cursor, so asking for later times costs nothing.
class StepPlayer {
public:
    explicit StepPlayer(std::vector<Step> steps) : steps_(std::move(steps)) {}
    std::uint32_t at(std::uint64_t ns);
    std::uint64_t endNs() const { return steps_.empty() ? 0 : steps_.back().ns; }

private:
    std::vector<Step> steps_;
    std::size_t next_ = 0;
    std::uint32_t pins_ = 0;
};

// SPI mode 0, MSB first: chip select (active low) on `cs`, clock on `clk`, master out on
// `mosi`, each bit `halfNs` low then `halfNs` high; idle lines as `idlePins`.
std::vector<Step> spiSteps(const std::vector<std::uint8_t>& bytes, int cs, int clk, int mosi,
                           std::uint64_t startNs, std::uint64_t halfNs);
// An I2C write of `data` to `address` (7 bits), START to STOP, every byte acknowledged, on
// `scl` and `sda`, a quarter bit `quarterNs`.
std::vector<Step> i2cWriteSteps(std::uint8_t address, const std::vector<std::uint8_t>& data,
                                int scl, int sda, std::uint64_t startNs, std::uint64_t quarterNs);

// sigrok-cli's output for a command line, one string a line; the exit status in `status`.
std::vector<std::string> runSigrok(const std::string& arguments, int& status);

// A decoder that puts an annotation at the first edge of its line and raises a Python
// exception at the second, written into a directory of its own for the catalog to load.
struct FaultyDecoder {
    static constexpr const char* id = "voltarix_fault";
    static constexpr const char* exceptionText = "ValueError: test fault at the second edge";
    // Writes the decoder into `directory`/voltarix_fault.
    static void writeInto(const std::string& directory);
};

} // namespace voltarix::decode::testing
