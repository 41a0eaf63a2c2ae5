#pragma once

#include "chart/colour_runs.h"
#include "chart/label_runs.h"
#include "chart/level_pyramid.h"
#include "chart/level_seen.h"
#include "chart/point_label.h"

#include <QRgb>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace voltarix::chart {

// The level store the chart used before it kept runs, kept here as the benchmarks' yardstick:
// one row per cycle, its levels as the bits of one 32-bit word
// (bit k set = trace k high). The label is the row's, shared by all traces; colours are kept
// per trace as runs, and a row in the same colours as the one before costs nothing for them.
// Rows are appended, never removed.
class WordRows {
public:
    static constexpr int kMaxTraces = 32;

    // Refuses a trace count outside 1..32 with a ChartError.
    explicit WordRows(int traceCount);
    WordRows(const WordRows&) = delete;
    WordRows& operator=(const WordRows&) = delete;
    ~WordRows();

    // Appends one row. Bits at or above traceCount() are dropped; `colours` holds one colour
    // per trace, trace 0 first.
    Q_ALWAYS_INLINE void append(std::uint32_t levels, const PointLabel& label,
                                const QRgb* colours) {
        levels &= traces_;
        if (!sameColours(colours))
            recolour(colours);
        labels_.append(label);
        pyramid_.add(levels);
        all_.add(levels);
        *cursor_ = levels;
        ++size_;
        if (++cursor_ == chunkEnd_)
            addChunk();
    }

    int traceCount() const { return traceCount_; }
    // Bits of all traces: (1 << traceCount()) - 1.
    std::uint32_t traceMask() const { return traces_; }
    std::int64_t size() const { return size_; }
    std::uint32_t levels(std::int64_t row) const {
        const auto r = static_cast<std::uint64_t>(row);
        return chunks_[static_cast<std::size_t>(r >> kChunkShift)][r & (kChunkRows - 1)];
    }
    QString label(std::int64_t row) const { return labels_.at(row); }
    QRgb colour(int trace, std::int64_t row) const;
    const LabelRuns& labels() const { return labels_; }
    const ColourRuns& colours(int trace) const;

    // Which levels the traces in `traces` show among rows [first, last), clamped to the
    // stored rows. Bits of other traces may be set too; they mean nothing.
    LevelSeen seen(std::int64_t first, std::int64_t last, std::uint32_t traces) const;
    // Which levels each trace shows over all rows.
    const LevelSeen& seenAll() const { return all_; }

    std::size_t memoryBytes() const;

private:
    static constexpr int kChunkShift = 16;
    static constexpr std::size_t kChunkRows = std::size_t{1} << kChunkShift;

    bool sameColours(const QRgb* colours) const {
        for (int k = 0; k < traceCount_; ++k) {
            if (colours[k] != lastColours_[k])
                return false;
        }
        return true;
    }
    void recolour(const QRgb* colours);
    void addChunk();
    LevelSeen scan(std::int64_t first, std::int64_t last, const LevelSeen& goal) const;

    std::vector<std::unique_ptr<std::uint32_t[]>> chunks_;
    std::uint32_t* cursor_ = nullptr;
    std::uint32_t* chunkEnd_ = nullptr;
    LevelPyramid pyramid_;
    LabelRuns labels_;
    std::vector<ColourRuns> colours_;
    // Colour 0 needs no run: a trace without runs reads as colour 0.
    QRgb lastColours_[kMaxTraces] = {};
    LevelSeen all_;
    std::int64_t size_ = 0;
    std::uint32_t traces_;
    int traceCount_;
};

} // namespace voltarix::chart
