#pragma once

#include "decode/sample_clock.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

namespace voltarix::decode {

struct SourceEntry;

// Turns a recording's entries into the uniform stream: each entry's levels from the sample at
// which it starts up to the one at which the next entry starts, in chunks of at most
// kChunkSamples. The last entry's levels get no sample until the next entry comes, as the
// change dump route leaves the last change without samples. A run longer than a chunk is sent
// as whole chunks of one level, each the same buffer, filled once.
class UniformStream {
public:
    static constexpr std::size_t kChunkSamples = std::size_t{1} << 16;

    // A chunk: its first sample, its bytes (StackSession::kUnitSize a sample) and samples.
    using Sink = std::function<void(std::uint64_t, const std::uint8_t*, std::size_t)>;

    UniformStream(SampleClock clock, Sink sink);

    // The next entry, oldest first. Returns the sample it starts at.
    std::uint64_t add(const SourceEntry& entry);
    // Sends what is gathered.
    void flush();

    const SampleClock& clock() const { return clock_; }
    // Samples sent or gathered so far: the stream covers [0, end()).
    std::uint64_t end() const { return end_; }

private:
    void append(std::uint32_t pins, std::uint64_t count);
    void fillConstant(std::uint32_t pins);

    SampleClock clock_;
    Sink sink_;
    bool started_ = false;
    std::uint32_t pins_ = 0;
    std::uint64_t end_ = 0;
    std::vector<std::uint8_t> chunk_;
    std::size_t gathered_ = 0;
    std::vector<std::uint8_t> constant_;
    std::uint32_t constantPins_ = 0;
    bool constantFilled_ = false;
};

} // namespace voltarix::decode
