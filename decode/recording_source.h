#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>

namespace voltarix::decode {

// One kept cycle of a recording as decoding reads it: its number (the chart's x, from 0), its
// time in microseconds, and the levels of the 17 pins, pin p in bit p - 1 (1 = high).
struct SourceEntry {
    std::uint64_t cycle = 0;
    std::uint64_t timeUs = 0;
    std::uint32_t pins = 0;

    friend bool operator==(const SourceEntry&, const SourceEntry&) = default;
};

// The kept cycles of a recording, which may grow while it is read. Entries are kept at every
// change of the levels (and may be kept between changes); the levels of an entry hold until the
// next entry. Cycles grow strictly, times never go back.
//
// Threads: size() from any thread; read() and lastAtOrBefore() from one reading thread at a
// time, while another thread may append. The source outlives its reader.
class RecordingSource {
public:
    static constexpr std::size_t npos = std::numeric_limits<std::size_t>::max();

    virtual ~RecordingSource() = default;

    // Entries published so far.
    virtual std::size_t size() const = 0;
    // Copies entries [from, from + n) into `out`, n = min(out.size(), size() - from); returns
    // n. Reading on from where the last read stopped is the cheap case.
    virtual std::size_t read(std::size_t from, std::span<SourceEntry> out) = 0;
    // The index of the last published entry whose time is at or before `timeUs`, or npos when
    // the first entry comes later (or there is none).
    virtual std::size_t lastAtOrBefore(std::uint64_t timeUs) = 0;
};

} // namespace voltarix::decode
