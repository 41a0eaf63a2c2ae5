#include "chart/level_rows.h"

#include "chart/chart_error.h"

#include <algorithm>

namespace voltarix::chart {

LevelRows::LevelRows(int traceCount)
    : traces_(traceCount >= kMaxTraces ? ~std::uint32_t{0}
                                       : (std::uint32_t{1} << std::max(traceCount, 0)) - 1),
      traceCount_(traceCount) {
    if (traceCount < 1 || traceCount > kMaxTraces)
        throw ChartError("A group of level traces holds 1 to 32 traces");
    colours_.resize(static_cast<std::size_t>(traceCount));
}

LevelRows::~LevelRows() = default;

void LevelRows::recolour(const QRgb* colours) {
    for (int k = 0; k < traceCount_; ++k) {
        colours_[static_cast<std::size_t>(k)].append(size_, colours[k]);
        lastColours_[k] = colours[k];
    }
}

void LevelRows::startRun(std::uint32_t levels) {
    runs_.start(size_, levels);
    pyramid_.add(levels);
    all_.add(levels);
    lastLevels_ = levels;
}

// Within the block of the last read, walking on from it costs no more than seeking afresh
// would, without the search.
RunCursor LevelRows::cursorAtRow(std::int64_t row) const {
    RunCursor cursor = hint_;
    if (hintRows_ == size_ && hint_.first() <= row && hint_.blockHolds(row)) {
        while (cursor.end() <= row)
            cursor.next();
    } else {
        cursor = RunCursor(runs_, size_);
        cursor.seekRow(row);
        hintRows_ = size_;
    }
    hint_ = cursor;
    return cursor;
}

std::uint32_t LevelRows::levels(std::int64_t row) const {
    return row >= 0 && row < size_ ? cursorAtRow(row).levels() : 0;
}

std::int64_t LevelRows::runOf(std::int64_t row) const {
    return cursorAtRow(row).run();
}

std::int64_t LevelRows::runFirst(std::int64_t run) const {
    RunCursor cursor(runs_, size_);
    cursor.seekRun(run);
    return cursor.first();
}

std::uint32_t LevelRows::runLevels(std::int64_t run) const {
    RunCursor cursor(runs_, size_);
    cursor.seekRun(run);
    return cursor.levels();
}

QRgb LevelRows::colour(int trace, std::int64_t row) const {
    if (row < 0 || row >= size_)
        return 0;
    return colours(trace).at(row);
}

const ColourRuns& LevelRows::colours(int trace) const {
    return colours_[static_cast<std::size_t>(trace)];
}

// The rows [first, last) show exactly what the runs holding them show: the loose runs up to the
// first complete block of summaries, the blocks of the pyramid after them, and the loose runs
// of the block holding the last row, which the walk to that row passes anyway. Reading stops
// once the runs show everything the whole recording shows for the traces asked: a trace that
// never left one level is answered by the first run.
LevelSeen LevelRows::seen(std::int64_t first, std::int64_t last, std::uint32_t traces) const {
    first = std::max<std::int64_t>(first, 0);
    last = std::min(last, size_);
    if (first >= last)
        return {};
    const LevelSeen goal{all_.high & traces, all_.low & traces};
    constexpr std::int64_t groupMask = LevelPyramid::kBaseSize - 1;
    RunCursor cursor = cursorAtRow(first);
    LevelSeen result;
    for (;;) {
        result.add(cursor.levels());
        if (result.covers(goal) || cursor.end() >= last)
            return result;
        cursor.next();
        if ((cursor.run() & groupMask) == 0)
            break;
    }
    // What the runs of the summary block holding the last row show, up to that row.
    LevelSeen lastGroup;
    const auto collect = [&lastGroup](const RunCursor& run) {
        if ((run.run() & groupMask) == 0)
            lastGroup = {};
        lastGroup.add(run.levels());
    };
    const RunCursor end = walkToRow(cursor, last - 1, collect);
    constexpr int shift = LevelPyramid::kBaseShift;
    const std::int64_t runLast = end.run() + 1;
    if ((cursor.run() >> shift) < (runLast >> shift))
        pyramid_.merge(cursor.run() >> shift, runLast >> shift, goal, result);
    if ((runLast & groupMask) != 0)
        result.add(lastGroup);
    return result;
}

// From `from` within its block, else from the start of the row's block; either way every run
// of the summary block holding the row is visited up to the row.
template <typename Visit>
RunCursor LevelRows::walkToRow(const RunCursor& from, std::int64_t row, Visit visit) const {
    RunCursor cursor = from;
    if (from.blockHolds(row)) {
        visit(cursor);
        while (cursor.end() <= row) {
            cursor.next();
            visit(cursor);
        }
    } else {
        cursor.seekRow(row, visit);
    }
    hint_ = cursor;
    hintRows_ = size_;
    return cursor;
}

std::size_t LevelRows::memoryBytes() const {
    std::size_t bytes = sizeof(*this) + runs_.memoryBytes() - sizeof(runs_);
    bytes += colours_.capacity() * sizeof(ColourRuns);
    for (const ColourRuns& runs : colours_)
        bytes += runs.memoryBytes() - sizeof(ColourRuns);
    return bytes + labels_.memoryBytes() + pyramid_.memoryBytes();
}

} // namespace voltarix::chart
