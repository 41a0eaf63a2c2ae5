#pragma once

#include "chart/colour_runs.h"
#include "chart/label_runs.h"
#include "chart/level_pyramid.h"
#include "chart/level_seen.h"
#include "chart/point_label.h"
#include "chart/run_blocks.h"
#include "chart/run_cursor.h"

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
// of equal rows and its memory grows with changes, not with cycles. The runs are packed
// (RunBlocks): a run of one row, as when every line toggles every cycle, costs about a byte and
// a third, a long run a few bytes, plus a quarter byte of block summaries; labels that count up
// or repeat, and colours, are runs of their own (LabelRuns, ColourRuns). Any row is reached by
// a search among the blocks of runs and at most a block's worth of steps; every row stays
// addressable by a 64-bit index.
//
// One thread: a read remembers the run where it ended, so that the next read nearby (as
// painting reads point after point and column after column) walks on from there instead of
// searching again. Even reads are therefore not safe from two threads at once.
class LevelRows {
public:
    static constexpr int kMaxTraces = 32;

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
        if (levels != lastLevels_)
            startRun(levels);
        ++size_;
    }

    // Appends `count` more rows like the last one, as `count` calls of append() with its levels
    // and colours would: labels go on counting after a number and repeat a text. Costs what
    // one row does, however many. There must be a last row.
    void repeatLast(std::int64_t count) {
        labels_.repeatLast(count);
        size_ += count;
    }

    int traceCount() const { return traceCount_; }
    // Bits of all traces: (1 << traceCount()) - 1.
    std::uint32_t traceMask() const { return traces_; }
    std::int64_t size() const { return size_; }
    // The levels of a stored row; 0 outside them.
    std::uint32_t levels(std::int64_t row) const;
    QString label(std::int64_t row) const { return labels_.at(row); }
    QRgb colour(int trace, std::int64_t row) const;
    const LabelRuns& labels() const { return labels_; }
    const ColourRuns& colours(int trace) const;

    // Runs of equal levels, in row order; a run holds at least one row.
    std::int64_t runCount() const { return runs_.count(); }
    // The run holding a stored row.
    std::int64_t runOf(std::int64_t row) const;
    std::int64_t runFirst(std::int64_t run) const;
    std::uint32_t runLevels(std::int64_t run) const;
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
    void startRun(std::uint32_t levels);
    // A cursor at the run holding a stored row.
    RunCursor cursorAtRow(std::int64_t row) const;
    // A cursor at the run holding `row`, reached from `from` (at or before it); calls
    // visit(cursor) at every run it passes, the row's included.
    template <typename Visit>
    RunCursor walkToRow(const RunCursor& from, std::int64_t row, Visit visit) const;

    RunBlocks runs_;
    // Where the last read ended; good while the rows are as many as when it was taken.
    mutable RunCursor hint_{runs_, 0};
    mutable std::int64_t hintRows_ = -1;
    // Summaries of blocks of runs: which levels a range of rows shows is what its runs show.
    LevelPyramid pyramid_;
    LabelRuns labels_;
    std::vector<ColourRuns> colours_;
    // Colour 0 needs no run: a trace without runs reads as colour 0.
    QRgb lastColours_[kMaxTraces] = {};
    LevelSeen all_;
    std::int64_t size_ = 0;
    // Wider than any levels word, so that the first row starts a run whatever its levels.
    std::uint64_t lastLevels_ = std::uint64_t{1} << 32;
    std::uint32_t traces_;
    int traceCount_;
};

template <typename Visit>
void LevelRows::forEachRun(std::int64_t first, std::int64_t last, Visit visit) const {
    first = std::max<std::int64_t>(first, 0);
    last = std::min(last, size_);
    if (first >= last)
        return;
    RunCursor cursor = cursorAtRow(first);
    for (std::int64_t row = first;; cursor.next()) {
        const std::int64_t end = std::min(cursor.end(), last);
        visit(row, end, cursor.levels());
        if (end == last)
            return;
        row = end;
    }
}

} // namespace voltarix::chart
