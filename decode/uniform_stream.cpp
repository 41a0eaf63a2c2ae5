#include "decode/uniform_stream.h"

#include "decode/recording_source.h"
#include "decode/stack_session.h"

#include <algorithm>
#include <cstring>

namespace voltarix::decode {

namespace {

constexpr std::size_t kUnit = StackSession::kUnitSize;

void fill(std::uint8_t* bytes, std::uint32_t pins, std::size_t count) {
    const std::uint8_t sample[kUnit] = {static_cast<std::uint8_t>(pins),
                                        static_cast<std::uint8_t>(pins >> 8),
                                        static_cast<std::uint8_t>(pins >> 16)};
    for (std::size_t i = 0; i < count; ++i, bytes += kUnit)
        std::memcpy(bytes, sample, kUnit);
}

} // namespace

UniformStream::UniformStream(SampleClock clock, Sink sink)
    : clock_(clock), sink_(std::move(sink)), chunk_(kChunkSamples * kUnit) {}

std::uint64_t UniformStream::add(const SourceEntry& entry) {
    const std::uint64_t start = clock_.sampleOf(entry.timeUs);
    if (started_ && start > end_)
        append(pins_, start - end_);
    started_ = true;
    pins_ = entry.pins;
    return std::max(start, end_);
}

void UniformStream::append(std::uint32_t pins, std::uint64_t count) {
    while (count > 0) {
        if (gathered_ == 0 && count >= kChunkSamples) {
            // A long run of one level: the same full chunk again and again.
            fillConstant(pins);
            sink_(end_, constant_.data(), kChunkSamples);
            end_ += kChunkSamples;
            count -= kChunkSamples;
            continue;
        }
        const std::size_t room = kChunkSamples - gathered_;
        const auto taken = static_cast<std::size_t>(std::min<std::uint64_t>(room, count));
        fill(chunk_.data() + gathered_ * kUnit, pins, taken);
        gathered_ += taken;
        end_ += taken;
        count -= taken;
        if (gathered_ == kChunkSamples)
            flush();
    }
}

void UniformStream::fillConstant(std::uint32_t pins) {
    if (constantFilled_ && constantPins_ == pins)
        return;
    constant_.resize(kChunkSamples * kUnit);
    fill(constant_.data(), pins, kChunkSamples);
    constantPins_ = pins;
    constantFilled_ = true;
}

void UniformStream::flush() {
    if (gathered_ == 0)
        return;
    const std::size_t count = gathered_;
    gathered_ = 0;
    sink_(end_ - count, chunk_.data(), count);
}

} // namespace voltarix::decode
