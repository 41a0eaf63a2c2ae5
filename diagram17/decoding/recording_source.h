#pragma once

#include "decode/recording_source.h"
#include "diagram17/cycle_times_reader.h"

#include <optional>

namespace voltarix::diagram17 {

class CycleTimes;

// The kept cycles of a 17-bit recording as decoding reads them: its entries with their levels
// turned from trace order (bit k = trace k) into pin order (bit p - 1 = pin p). Reads while the
// capture appends, through a CycleTimesReader of its own; the CycleTimes must outlive it.
class CycleTimesSource final : public decode::RecordingSource {
public:
    explicit CycleTimesSource(const CycleTimes& times);

    std::size_t size() const override;
    std::size_t read(std::size_t from, std::span<decode::SourceEntry> out) override;
    std::size_t lastAtOrBefore(std::uint64_t timeUs) override;

    // Trace-order levels to pin-order levels.
    static std::uint32_t pinsOfLevels(std::uint32_t levels);

private:
    const CycleTimes& times_;
    std::optional<CycleTimesReader> reader_;
};

} // namespace voltarix::diagram17
