#pragma once

#include <QRgb>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace voltarix::chart {

// Per-point colours as runs of equal colour: a trace drawn in its register group's colour holds
// one run however long it grows. The owner counts the points; only a change of colour costs.
class ColourRuns {
public:
    struct Run {
        std::int64_t first;
        QRgb colour;
    };

    // Colours point `index`, the owner's next point.
    void append(std::int64_t index, QRgb colour) {
        if (runs_.empty() || runs_.back().colour != colour)
            runs_.push_back({index, colour});
    }

    // The colour of a point the owner holds; 0 before any point was coloured.
    QRgb at(std::int64_t index) const;
    const std::vector<Run>& runs() const { return runs_; }
    std::size_t memoryBytes() const { return sizeof(*this) + runs_.capacity() * sizeof(Run); }

private:
    std::vector<Run> runs_;
};

} // namespace voltarix::chart
