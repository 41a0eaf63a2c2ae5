#pragma once

#include <QString>

#include <cstdint>

namespace voltarix::diagram17 {

// Time the sampler missed while the recording ran: pauses between two
// samples longer than asked for by more than the sampler's gap threshold.
// They come when the system takes the processor from the sampler, or when
// the recording falls so far behind that the hand-over fills up and the
// sampler has to wait. An edge inside such a pause is seen late or not at
// all, so the figure tells whether a recording can be trusted.
class SamplingGaps {
public:
    // A run of samples came; `gapNs` is the pause missed before it, or 0.
    void add(std::uint32_t gapNs) {
        if (gapNs == 0)
            return;
        ++count_;
        if (gapNs > longestNs_)
            longestNs_ = gapNs;
    }

    std::uint64_t count() const { return count_; }
    std::uint64_t longestNs() const { return longestNs_; }

    // "Пропуски: 3": the count, short enough for its place on the tab.
    QString text() const;
    // The count with what it means and the longest pause, for the hint.
    QString hintText() const;
    static QString durationText(std::uint64_t ns);

private:
    std::uint64_t count_ = 0;
    std::uint64_t longestNs_ = 0;
};

} // namespace voltarix::diagram17
