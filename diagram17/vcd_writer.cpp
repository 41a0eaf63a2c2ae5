#include "diagram17/vcd_writer.h"

#include "diagram17/cycle_times.h"
#include "port/connector_pins.h"

#include <array>

namespace voltarix::diagram17 {

namespace {

static_assert(VcdWriter::lineCount == port::lineCount);

struct Scope {
    const char* name;
    int firstTrace;
    int endTrace;
};
// Dumped in the order of the register offsets.
constexpr std::array<Scope, 3> scopes{{{"data", 9, 17}, {"status", 0, 5}, {"control", 5, 9}}};

// Identifier codes, one letter each: 'A' is trace 0. Letters, because some
// readers take a code such as '$' or '#' for the start of a keyword or a time.
char identifier(int trace) {
    return static_cast<char>('A' + trace);
}

char levelChar(std::uint32_t levels, int trace) {
    return (levels >> trace) & 1u ? '1' : '0';
}

} // namespace

int VcdWriter::pinOfTrace(int trace) {
    return port::captureOrderPins[static_cast<std::size_t>(trace)];
}

const char* VcdWriter::groupOfTrace(int trace) {
    for (const Scope& scope : scopes) {
        if (trace >= scope.firstTrace && trace < scope.endTrace)
            return scope.name;
    }
    return "";
}

void VcdWriter::writeRecording(std::ostream& out, const CycleTimes& times, const std::string& date,
                               const std::string& version) {
    VcdWriter writer(out);
    writer.writeHeader(date, version);
    times.forEach([&writer](const CycleTimes::Entry& entry) {
        writer.writeCycle(entry.timeUs, entry.levels);
    });
}

void VcdWriter::writeHeader(const std::string& date, const std::string& version) {
    out_ << "$date\n    " << date << "\n$end\n";
    out_ << "$version\n    " << version << "\n$end\n";
    out_ << "$timescale 1 us $end\n";
    for (const Scope& scope : scopes) {
        out_ << "$scope module " << scope.name << " $end\n";
        // Pins in ascending order inside a group reads best in a wave viewer.
        for (int pin = 1; pin <= lineCount; ++pin) {
            for (int trace = scope.firstTrace; trace < scope.endTrace; ++trace) {
                if (pinOfTrace(trace) == pin)
                    out_ << "$var wire 1 " << identifier(trace) << " Pin" << pin << " $end\n";
            }
        }
        out_ << "$upscope $end\n";
    }
    out_ << "$enddefinitions $end\n";
}

void VcdWriter::writeInitial(std::uint64_t timeUs, std::uint32_t levels) {
    firstUs_ = timeUs;
    lastWrittenUs_ = 0;
    levels_ = levels;
    started_ = true;
    out_ << "#0\n$dumpvars\n";
    for (int trace = 0; trace < lineCount; ++trace)
        out_ << levelChar(levels, trace) << identifier(trace) << '\n';
    out_ << "$end\n";
}

void VcdWriter::writeCycle(std::uint64_t timeUs, std::uint32_t levels) {
    if (!started_) {
        writeInitial(timeUs, levels);
        return;
    }
    const std::uint32_t changed = (levels ^ levels_) & ((1u << lineCount) - 1);
    levels_ = levels;
    if (changed == 0)
        return;
    const std::uint64_t relative = timeUs > firstUs_ ? timeUs - firstUs_ : 0;
    writeTime(relative);
    for (int trace = 0; trace < lineCount; ++trace) {
        if ((changed >> trace) & 1u)
            out_ << levelChar(levels, trace) << identifier(trace) << '\n';
    }
}

void VcdWriter::writeTime(std::uint64_t relativeUs) {
    // Several changes within one microsecond share its time stamp; a clock
    // that stepped back keeps the last one.
    if (relativeUs <= lastWrittenUs_)
        return;
    lastWrittenUs_ = relativeUs;
    out_ << '#' << relativeUs << '\n';
}

} // namespace voltarix::diagram17
