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

// The very first row opens the first run whatever its levels.
void LevelRows::startPage(std::uint32_t levels) {
    pageFirstRun_.push_back(runCount());
    if (size_ == 0)
        startRun(levels);
}

void LevelRows::startRun(std::uint32_t levels) {
    runLevels_.push_back(levels);
    runStarts_.push_back(static_cast<std::uint16_t>(size_ & (kPageRows - 1)));
    pyramid_.add(levels);
    all_.add(levels);
    lastLevels_ = levels;
}

// A run holds the row when it is the last to start at or before it: among the runs starting in
// the row's page, or else the last one started before the page. At most one run starts at a
// row, which narrows the search: the rows of the page up to this one start at most offset + 1
// runs, the rows after it at most the rest; a page where every row starts a run needs no search.
std::int64_t LevelRows::runOf(std::int64_t row) const {
    const std::int64_t page = row >> kPageShift;
    const auto offset = static_cast<std::uint16_t>(row & (kPageRows - 1));
    const std::int64_t pageFirst = pageFirstRun(page);
    const std::int64_t pageEnd = pageFirstRun(page + 1);
    std::int64_t low = std::max(pageFirst, pageEnd - (kPageRows - 1 - offset));
    std::int64_t high = std::min(pageEnd, pageFirst + offset + 1);
    while (low < high) {
        const std::int64_t middle = low + (high - low) / 2;
        if (runStarts_[middle] <= offset)
            low = middle + 1;
        else
            high = middle;
    }
    return low - 1;
}

// Pages where no run starts share their first run with the page after them; a run starts in the
// last page that names it or an earlier run.
std::int64_t LevelRows::pageOfRun(std::int64_t run) const {
    const auto after = std::upper_bound(pageFirstRun_.begin(), pageFirstRun_.end(), run);
    return (after - pageFirstRun_.begin()) - 1;
}

std::int64_t LevelRows::runFirst(std::int64_t run) const {
    return (pageOfRun(run) << kPageShift) + runStarts_[run];
}

QRgb LevelRows::colour(int trace, std::int64_t row) const {
    if (row < 0 || row >= size_)
        return 0;
    return colours(trace).at(row);
}

const ColourRuns& LevelRows::colours(int trace) const {
    return colours_[static_cast<std::size_t>(trace)];
}

// The rows [first, last) show exactly what the runs holding them show. Loose runs at either end
// are read one by one; whole blocks of runs between them come from the pyramid. Reading stops
// once the runs show everything the whole recording shows for the traces asked: a trace that
// never left one level is answered by the first run.
LevelSeen LevelRows::seen(std::int64_t first, std::int64_t last, std::uint32_t traces) const {
    first = std::max<std::int64_t>(first, 0);
    last = std::min(last, size_);
    if (first >= last)
        return {};
    const LevelSeen goal{all_.high & traces, all_.low & traces};
    const std::int64_t runFirst = runOf(first);
    const std::int64_t runLast = runOf(last - 1) + 1;
    constexpr int shift = LevelPyramid::kBaseShift;
    const std::int64_t blockFirst = (runFirst + LevelPyramid::kBaseSize - 1) >> shift;
    const std::int64_t blockLast = std::min(runLast >> shift, pyramid_.blockCount());
    if (blockFirst >= blockLast)
        return scanRuns(runFirst, runLast, goal);
    LevelSeen result = scanRuns(runFirst, blockFirst << shift, goal);
    if (!result.covers(goal))
        pyramid_.merge(blockFirst, blockLast, goal, result);
    if (!result.covers(goal))
        result.add(scanRuns(blockLast << shift, runLast, goal));
    return result;
}

LevelSeen LevelRows::scanRuns(std::int64_t first, std::int64_t last, const LevelSeen& goal) const {
    LevelSeen result;
    for (std::int64_t run = first; run < last && !result.covers(goal); ++run)
        result.add(runLevels_[run]);
    return result;
}

std::size_t LevelRows::memoryBytes() const {
    std::size_t bytes = sizeof(*this) + runLevels_.memoryBytes() + runStarts_.memoryBytes();
    bytes += pageFirstRun_.capacity() * sizeof(std::int64_t);
    bytes += colours_.capacity() * sizeof(ColourRuns);
    for (const ColourRuns& runs : colours_)
        bytes += runs.memoryBytes() - sizeof(ColourRuns);
    return bytes + labels_.memoryBytes() + pyramid_.memoryBytes();
}

} // namespace voltarix::chart
