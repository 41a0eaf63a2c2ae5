#pragma once

#include "decode/annotation.h"
#include "decode/append_only_list.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace voltarix::decode {

// A row of annotations as the chart shows it: one row of one decoder of one stack.
struct StoreRow {
    int stack = 0;
    int layer = 0;
    std::string decoderId;   // "uart"
    std::string decoderName; // "UART"
    int decoderRow = 0;      // index into DecoderInfo::annotationRows
    std::string rowId;       // "rx-data"
    std::string description; // "RX data"
};

// The annotations of a decoding, appended by the decoding thread and read by others without a
// lock.
//
// Threads. The rows are set (setRows) and the store is cleared (clear) while nobody appends or
// reads: DecodeWorker does both only while its thread is stopped, on the thread that owns the
// worker. Between those, one thread appends; any thread may read: size() is taken with acquire
// ordering and every annotation below it, and every annotation a range query visits, is
// complete and never moves or changes.
//
// A row's annotations are kept in lanes of annotations that follow each other without
// overlapping (decoders seldom overlap within a row; each overlap opens a lane, and a row has
// as many lanes as its deepest overlap), so the annotations of a row that touch a range of
// cycles are found by a binary search per lane: O(lanes * log n + k).
class AnnotationStore {
public:
    AnnotationStore();
    ~AnnotationStore();
    AnnotationStore(const AnnotationStore&) = delete;
    AnnotationStore& operator=(const AnnotationStore&) = delete;

    // --- While nobody reads or appends.
    void setRows(std::vector<StoreRow> rows);
    // Forgets the annotations; the rows stay.
    void clear();

    // --- The appending thread. `annotation.storeRow` must be a row of the store.
    void append(Annotation annotation);

    // --- Any thread.
    std::size_t size() const { return published_.load(std::memory_order_acquire); }
    bool empty() const { return size() == 0; }
    // In order of appending: annotations of one stack in the order the library gave them,
    // stacks interleaved a batch of samples at a time. index < size().
    const Annotation& operator[](std::size_t index) const { return annotations_[index]; }

    std::size_t rowCount() const { return rows_.size(); }
    const StoreRow& row(std::size_t index) const { return rows_[index]; }

    // Calls visit(std::size_t index, const Annotation&) for every annotation of store row
    // `row` that covers at least one cycle of [x0, x1], lane by lane, each lane's in cycle
    // order.
    template <typename Visit>
    void forEachOverlapping(std::size_t row, std::uint64_t x0, std::uint64_t x1, Visit visit) const;

    // The first index (in store order) from which every annotation ends at or after `cycle`,
    // as far as the order of appending allows: the annotations before it all end before
    // `cycle`. For a table that follows the chart; size() when none ends there.
    std::size_t firstEndingAtOrAfter(std::uint64_t cycle) const;

    // Bytes held; any thread, approximate while appending.
    std::size_t memoryBytes() const;

private:
    struct Span {
        std::uint64_t firstCycle;
        std::uint64_t lastCycle;
        std::size_t index;
    };
    // Spans in cycle order, none overlapping the next by more than a shared cycle.
    struct Lane {
        AppendOnlyList<Span> spans;
    };
    struct RowLanes {
        AppendOnlyList<std::unique_ptr<Lane>> lanes;
    };

    void visitLane(const Lane& lane, std::uint64_t x0, std::uint64_t x1, auto& visit) const;

    std::vector<StoreRow> rows_;
    std::vector<std::unique_ptr<RowLanes>> rowLanes_;
    AppendOnlyList<Annotation> annotations_;
    // The greatest last cycle among annotations [0, i], for firstEndingAtOrAfter.
    AppendOnlyList<std::uint64_t> reachedCycle_;
    std::atomic<std::size_t> published_ = 0;
    std::atomic<std::size_t> textBytes_ = 0;
};

template <typename Visit>
void AnnotationStore::forEachOverlapping(std::size_t row, std::uint64_t x0, std::uint64_t x1,
                                         Visit visit) const {
    if (row >= rowLanes_.size() || x1 < x0)
        return;
    const RowLanes& lanes = *rowLanes_[row];
    const std::size_t laneCount = lanes.lanes.size();
    for (std::size_t l = 0; l < laneCount; ++l)
        visitLane(*lanes.lanes[l], x0, x1, visit);
}

void AnnotationStore::visitLane(const Lane& lane, std::uint64_t x0, std::uint64_t x1,
                                auto& visit) const {
    // Both cycles grow along a lane: the first span ending at or after x0 starts the run, the
    // first starting after x1 ends it.
    std::size_t low = 0;
    std::size_t high = lane.spans.size();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (lane.spans[middle].lastCycle < x0)
            low = middle + 1;
        else
            high = middle;
    }
    const std::size_t count = lane.spans.size();
    for (std::size_t i = low; i < count; ++i) {
        const Span& span = lane.spans[i];
        if (span.firstCycle > x1)
            break;
        visit(span.index, annotations_[span.index]);
    }
}

} // namespace voltarix::decode
