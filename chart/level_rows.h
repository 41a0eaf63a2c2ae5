#pragma once

#include "chart/chunked_array.h"
#include "chart/colour_runs.h"
#include "chart/label_runs.h"
#include "chart/level_pyramid.h"
#include "chart/level_seen.h"
#include "chart/point_label.h"

#include <QRgb>
#include <QString>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace voltarix::chart {

// The points of up to 32 two-level traces that always receive a point together, as the logic
// traces of a capture cycle do: one row per cycle, its levels as the bits of a 32-bit word
// (bit k set = trace k high). The label is the row's, shared by all traces; colours are kept
// per trace. Rows are appended, never removed. A series reads its points from one bit (see
// LevelTrace).
//
// Port lines change rarely compared with the rate a loop samples them, so the store keeps runs
// of equal rows and its memory grows with changes, not with cycles: a run of equal levels costs
// its levels word and the low 16 bits of its first row (6 bytes, plus a quarter byte of block
// summaries); labels that count up or repeat, and colours, are runs of their own (LabelRuns,
// ColourRuns). Rows fall into pages of 2^16, and each page records the first run that starts in
// it, 8 bytes a page whatever happens there; a row's run is found from its page by a search
// among the runs that start in that page. Every row stays addressable by a 64-bit index.
class LevelRows {
public:
    static constexpr int kMaxTraces = 32;
    static constexpr int kPageShift = 16;
    static constexpr std::int64_t kPageRows = std::int64_t{1} << kPageShift;

    // Refuses a trace count outside 1..32 with a ChartError.
    explicit LevelRows(int traceCount);
    LevelRows(const LevelRows&) = delete;
    LevelRows& operator=(const LevelRows&) = delete;
    ~LevelRows();

    // Appends one row. Bits at or above traceCount() are dropped; `colours` holds one colour
    // per trace, trace 0 first. A row like the one before costs nothing but the count.
    Q_ALWAYS_INLINE void append(std::uint32_t levels, const PointLabel& label,
                                const QRgb* colours) {
        levels &= traces_;
        if (!sameColours(colours))
            recolour(colours);
        labels_.append(label);
        if ((size_ & (kPageRows - 1)) == 0)
            startPage(levels);
        if (levels != lastLevels_)
            startRun(levels);
        ++size_;
    }

    int traceCount() const { return traceCount_; }
    // Bits of all traces: (1 << traceCount()) - 1.
    std::uint32_t traceMask() const { return traces_; }
    std::int64_t size() const { return size_; }
    // The levels of a stored row; 0 outside them.
    std::uint32_t levels(std::int64_t row) const {
        return row >= 0 && row < size_ ? runLevels_[runOf(row)] : 0;
    }
    QString label(std::int64_t row) const { return labels_.at(row); }
    QRgb colour(int trace, std::int64_t row) const;
    const LabelRuns& labels() const { return labels_; }
    const ColourRuns& colours(int trace) const;

    // Runs of equal levels, in row order; a run holds at least one row.
    std::int64_t runCount() const { return runLevels_.size(); }
    // The run holding a stored row.
    std::int64_t runOf(std::int64_t row) const;
    std::int64_t runFirst(std::int64_t run) const;
    std::uint32_t runLevels(std::int64_t run) const { return runLevels_[run]; }
    // Calls visit(first, end, levels) for each run among rows [first, last), clipped to them,
    // in row order: what an exporter of changes or a copy of one trace walks.
    template <typename Visit>
    void forEachRun(std::int64_t first, std::int64_t last, Visit visit) const;

    // Which levels the traces in `traces` show among rows [first, last), clamped to the
    // stored rows. Bits of other traces may be set too; they mean nothing.
    LevelSeen seen(std::int64_t first, std::int64_t last, std::uint32_t traces) const;
    // Which levels each trace shows over all rows.
    const LevelSeen& seenAll() const { return all_; }

    // Bytes held, all included; costs a few steps however long the recording.
    std::size_t memoryBytes() const;

private:
    // Asked every row: without an early exit the compiler compares several colours at once.
    bool sameColours(const QRgb* colours) const {
        QRgb differ = 0;
        for (int k = 0; k < traceCount_; ++k)
            differ |= colours[k] ^ lastColours_[k];
        return differ == 0;
    }
    void recolour(const QRgb* colours);
    void startPage(std::uint32_t levels);
    void startRun(std::uint32_t levels);
    std::int64_t pageCount() const { return static_cast<std::int64_t>(pageFirstRun_.size()); }
    // Runs that start in a page: [pageFirstRun(page), pageFirstRun(page + 1)).
    std::int64_t pageFirstRun(std::int64_t page) const {
        return page < pageCount() ? pageFirstRun_[static_cast<std::size_t>(page)] : runCount();
    }
    std::int64_t pageOfRun(std::int64_t run) const;
    LevelSeen scanRuns(std::int64_t first, std::int64_t last, const LevelSeen& goal) const;

    ChunkedArray<std::uint32_t> runLevels_;
    // The low kPageShift bits of each run's first row; its page tells the rest.
    ChunkedArray<std::uint16_t> runStarts_;
    std::vector<std::int64_t> pageFirstRun_;
    // Summaries of blocks of runs: which levels a range of rows shows is what its runs show.
    LevelPyramid pyramid_;
    LabelRuns labels_;
    std::vector<ColourRuns> colours_;
    // Colour 0 needs no run: a trace without runs reads as colour 0.
    QRgb lastColours_[kMaxTraces] = {};
    LevelSeen all_;
    std::int64_t size_ = 0;
    std::uint32_t lastLevels_ = 0;
    std::uint32_t traces_;
    int traceCount_;
};

template <typename Visit>
void LevelRows::forEachRun(std::int64_t first, std::int64_t last, Visit visit) const {
    first = std::max<std::int64_t>(first, 0);
    last = std::min(last, size_);
    if (first >= last)
        return;
    std::int64_t run = runOf(first);
    std::int64_t page = pageOfRun(run);
    for (std::int64_t row = first; row < last; ++run) {
        std::int64_t end = size_;
        if (run + 1 < runCount()) {
            // Pages where no run starts lie inside a run; step over them to the next start.
            while (pageFirstRun(page + 1) <= run + 1)
                ++page;
            end = (page << kPageShift) + runStarts_[run + 1];
        }
        end = std::min(end, last);
        visit(row, end, runLevels_[run]);
        row = end;
    }
}

} // namespace voltarix::chart
