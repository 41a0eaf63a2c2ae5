#pragma once

#include "decode/sample_clock.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace voltarix::decode {

class RecordingSource;
struct SourceEntry;

// Which cycle a sample of the uniform stream shows: the samples from one entry's start to the
// next entry's show the cycles between the two, spread evenly (the recording keeps no time of
// the cycles between its entries). The latest kHistory entries are kept at hand; an annotation
// that reaches further back (a long transaction of a stacked decoder) is placed by a search in
// the recording itself.
class CycleMap {
public:
    static constexpr std::size_t kHistory = std::size_t{1} << 16;

    CycleMap(RecordingSource& source, SampleClock clock);

    // An entry and the sample it starts at, oldest first.
    void add(const SourceEntry& entry, std::uint64_t startSample);
    std::uint64_t cycleAt(std::uint64_t sample);
    // Samples below this one map to cycles that no later entry changes: the newest entry may
    // still be joined by another that starts at its sample, and a sample past it has no next
    // entry yet.
    std::uint64_t settledEnd() const;

private:
    struct Mark {
        std::uint64_t sample;
        std::uint64_t cycle;
    };

    const Mark& mark(std::size_t age) const;
    static std::uint64_t between(const Mark& from, const Mark& to, std::uint64_t sample);
    std::uint64_t searchRecording(std::uint64_t sample);

    RecordingSource& source_;
    SampleClock clock_;
    std::vector<Mark> ring_;
    // The oldest mark and how many there are.
    std::size_t oldest_ = 0;
    std::size_t count_ = 0;
};

} // namespace voltarix::decode
