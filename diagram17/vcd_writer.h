#pragma once

#include <cstdint>
#include <ostream>
#include <string>

namespace voltarix::diagram17 {

class CycleTimes;

// Writes the 17 lines of a recording as an IEEE 1364 value change dump: one
// 1-bit wire per connector pin, grouped in a scope per register, times in
// microseconds from the first cycle. `levels` holds the lines in trace order
// (bit k is trace k, bottom to top of the 17-bit chart), the same word the
// chart is given for a cycle.
class VcdWriter {
public:
    static constexpr int lineCount = 17;

    explicit VcdWriter(std::ostream& out) : out_(out) {}

    // The header up to $enddefinitions. `date` and `version` are written as
    // given (one line each).
    void writeHeader(const std::string& date, const std::string& version);
    // The first cycle: its time becomes time 0 and every line's value is
    // dumped.
    void writeInitial(std::uint64_t timeUs, std::uint32_t levels);
    // A later cycle: only the lines that differ from the previous cycle are
    // written. Times earlier than the previous one (a clock that stepped
    // back) are held at the previous time, so that the dump stays ordered.
    void writeCycle(std::uint64_t timeUs, std::uint32_t levels);

    // A whole recording: header, the first entry's levels, then every change.
    static void writeRecording(std::ostream& out, const CycleTimes& times, const std::string& date,
                               const std::string& version);

    // The pin a trace shows and the register group it belongs to.
    static int pinOfTrace(int trace);
    static const char* groupOfTrace(int trace);

private:
    void writeTime(std::uint64_t relativeUs);

    std::ostream& out_;
    std::uint64_t firstUs_ = 0;
    std::uint64_t lastWrittenUs_ = 0;
    std::uint32_t levels_ = 0;
    bool started_ = false;
};

} // namespace voltarix::diagram17
