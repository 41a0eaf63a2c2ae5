#pragma once

#include <QRgb>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace voltarix::chart {

// Per-point colours as runs of equal colour: a trace drawn in its register group's colour holds
// one run however long it grows.
class ColourRuns {
public:
    struct Run {
        std::int64_t first;
        QRgb colour;
    };

    // Colours the next point (index == size()).
    void append(QRgb colour) {
        if (runs_.empty() || runs_.back().colour != colour)
            runs_.push_back({size_, colour});
        ++size_;
    }

    std::int64_t size() const { return size_; }
    QRgb at(std::int64_t index) const;
    // Index of the run holding `index` (which must be stored), for walking runs along a range.
    std::size_t runIndexOf(std::int64_t index) const;
    const std::vector<Run>& runs() const { return runs_; }
    std::size_t memoryBytes() const { return sizeof(*this) + runs_.capacity() * sizeof(Run); }

private:
    std::vector<Run> runs_;
    std::int64_t size_ = 0;
};

} // namespace voltarix::chart
