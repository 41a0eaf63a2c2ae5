#include "decode/cycle_map.h"

#include "decode/recording_source.h"

#include <array>

namespace voltarix::decode {

CycleMap::CycleMap(RecordingSource& source, SampleClock clock)
    : source_(source), clock_(clock), ring_(kHistory) {}

// Entries that start at the same sample leave the last one's levels, and that one's cycle.
void CycleMap::add(const SourceEntry& entry, std::uint64_t startSample) {
    if (count_ > 0) {
        Mark& newest = ring_[(oldest_ + count_ - 1) % kHistory];
        if (newest.sample == startSample) {
            newest.cycle = entry.cycle;
            return;
        }
    }
    const Mark added{startSample, entry.cycle};
    if (count_ < kHistory) {
        ring_[(oldest_ + count_) % kHistory] = added;
        ++count_;
    } else {
        ring_[oldest_] = added;
        oldest_ = (oldest_ + 1) % kHistory;
    }
}

const CycleMap::Mark& CycleMap::mark(std::size_t age) const {
    return ring_[(oldest_ + age) % kHistory];
}

std::uint64_t CycleMap::between(const Mark& from, const Mark& to, std::uint64_t sample) {
    if (to.sample <= from.sample || to.cycle <= from.cycle)
        return from.cycle;
    const unsigned __int128 into = static_cast<unsigned __int128>(sample - from.sample) *
                                   (to.cycle - from.cycle) / (to.sample - from.sample);
    return from.cycle + static_cast<std::uint64_t>(into);
}

std::uint64_t CycleMap::cycleAt(std::uint64_t sample) {
    if (count_ == 0)
        return 0;
    if (sample < mark(0).sample)
        return searchRecording(sample);
    // The last mark at or before the sample.
    std::size_t low = 0;
    std::size_t high = count_;
    while (high - low > 1) {
        const std::size_t middle = low + (high - low) / 2;
        if (mark(middle).sample <= sample)
            low = middle;
        else
            high = middle;
    }
    if (low + 1 == count_)
        return mark(low).cycle;
    return between(mark(low), mark(low + 1), sample);
}

std::uint64_t CycleMap::settledEnd() const {
    return count_ < 2 ? 0 : mark(count_ - 2).sample;
}

std::uint64_t CycleMap::searchRecording(std::uint64_t sample) {
    const std::size_t index = source_.lastAtOrBefore(clock_.lastTimeAtOrBefore(sample));
    if (index == RecordingSource::npos)
        return mark(0).cycle;
    // The entry after it, and those that start at the same sample: the last of them holds.
    std::array<SourceEntry, 64> entries;
    const std::size_t read = source_.read(index, entries);
    if (read == 0)
        return mark(0).cycle;
    const Mark from{clock_.sampleOf(entries[0].timeUs), entries[0].cycle};
    if (read == 1)
        return from.cycle;
    Mark to{clock_.sampleOf(entries[1].timeUs), entries[1].cycle};
    for (std::size_t i = 2; i < read && clock_.sampleOf(entries[i].timeUs) == to.sample; ++i)
        to.cycle = entries[i].cycle;
    return between(from, to, sample);
}

} // namespace voltarix::decode
