#include "word_rows.h"

#include "chart/chart_error.h"

#include <algorithm>

namespace voltarix::chart {

WordRows::WordRows(int traceCount)
    : traces_(traceCount >= kMaxTraces ? ~std::uint32_t{0}
                                       : (std::uint32_t{1} << std::max(traceCount, 0)) - 1),
      traceCount_(traceCount) {
    if (traceCount < 1 || traceCount > kMaxTraces)
        throw ChartError("A group of level traces holds 1 to 32 traces");
    colours_.resize(static_cast<std::size_t>(traceCount));
    addChunk();
}

WordRows::~WordRows() = default;

void WordRows::recolour(const QRgb* colours) {
    for (int k = 0; k < traceCount_; ++k) {
        colours_[static_cast<std::size_t>(k)].append(size_, colours[k]);
        lastColours_[k] = colours[k];
    }
}

void WordRows::addChunk() {
    chunks_.push_back(std::make_unique_for_overwrite<std::uint32_t[]>(kChunkRows));
    cursor_ = chunks_.back().get();
    chunkEnd_ = cursor_ + kChunkRows;
}

QRgb WordRows::colour(int trace, std::int64_t row) const {
    if (row < 0 || row >= size_)
        return 0;
    return colours(trace).at(row);
}

const ColourRuns& WordRows::colours(int trace) const {
    return colours_[static_cast<std::size_t>(trace)];
}

// Loose rows at either end are read one by one; whole blocks between them come from the pyramid.
// Reading stops once the rows show everything the whole recording shows for the traces asked:
// a trace that never left one level is answered by its first row.
LevelSeen WordRows::seen(std::int64_t first, std::int64_t last, std::uint32_t traces) const {
    first = std::max<std::int64_t>(first, 0);
    last = std::min(last, size_);
    if (first >= last)
        return {};
    const LevelSeen goal{all_.high & traces, all_.low & traces};
    constexpr int shift = LevelPyramid::kBaseShift;
    const std::int64_t blockFirst = (first + LevelPyramid::kBaseSize - 1) >> shift;
    const std::int64_t blockLast = std::min(last >> shift, pyramid_.blockCount());
    if (blockFirst >= blockLast)
        return scan(first, last, goal);
    LevelSeen result = scan(first, blockFirst << shift, goal);
    if (!result.covers(goal))
        pyramid_.merge(blockFirst, blockLast, goal, result);
    if (!result.covers(goal))
        result.add(scan(blockLast << shift, last, goal));
    return result;
}

LevelSeen WordRows::scan(std::int64_t first, std::int64_t last, const LevelSeen& goal) const {
    LevelSeen result;
    for (std::int64_t row = first; row < last && !result.covers(goal); ++row)
        result.add(levels(row));
    return result;
}

std::size_t WordRows::memoryBytes() const {
    std::size_t bytes = sizeof(*this) + chunks_.capacity() * sizeof(chunks_[0]);
    bytes += chunks_.size() * kChunkRows * sizeof(std::uint32_t);
    bytes += colours_.capacity() * sizeof(ColourRuns);
    for (const ColourRuns& runs : colours_)
        bytes += runs.memoryBytes() - sizeof(ColourRuns);
    return bytes + labels_.memoryBytes() + pyramid_.memoryBytes();
}

} // namespace voltarix::chart
