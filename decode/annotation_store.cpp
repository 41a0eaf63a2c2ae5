#include "decode/annotation_store.h"

#include <algorithm>

namespace voltarix::decode {

AnnotationStore::AnnotationStore() = default;
AnnotationStore::~AnnotationStore() = default;

void AnnotationStore::setRows(std::vector<StoreRow> rows) {
    clear();
    rows_ = std::move(rows);
    rowLanes_.clear();
    for (std::size_t r = 0; r < rows_.size(); ++r)
        rowLanes_.push_back(std::make_unique<RowLanes>());
}

void AnnotationStore::clear() {
    annotations_.clear();
    reachedCycle_.clear();
    for (auto& lanes : rowLanes_)
        lanes->lanes.clear();
    published_.store(0, std::memory_order_release);
    textBytes_.store(0, std::memory_order_relaxed);
}

// Into the first lane it follows without overlap (sharing one cycle with the lane's last
// annotation is no overlap: neighbouring annotations often meet within a cycle).
void AnnotationStore::append(Annotation annotation) {
    const std::size_t index = annotations_.size();
    const std::size_t row = annotation.storeRow;
    const Span span{annotation.firstCycle, annotation.lastCycle, index};
    std::size_t texts = 0;
    for (const std::string& text : annotation.texts)
        texts += text.capacity() + sizeof(std::string);
    const std::uint64_t reached =
        index == 0 ? annotation.lastCycle : std::max(reachedCycle_.back(), annotation.lastCycle);

    annotations_.push_back(std::move(annotation));
    reachedCycle_.push_back(reached);
    if (span.firstCycle <= span.lastCycle && row < rowLanes_.size()) {
        RowLanes& lanes = *rowLanes_[row];
        const std::size_t laneCount = lanes.lanes.size();
        std::size_t lane = 0;
        while (lane < laneCount && lanes.lanes[lane]->spans.back().lastCycle > span.firstCycle)
            ++lane;
        if (lane == laneCount)
            lanes.lanes.push_back(std::make_unique<Lane>());
        lanes.lanes[lane]->spans.push_back(span);
    }
    textBytes_.fetch_add(texts, std::memory_order_relaxed);
    published_.store(index + 1, std::memory_order_release);
}

std::size_t AnnotationStore::firstEndingAtOrAfter(std::uint64_t cycle) const {
    std::size_t low = 0;
    std::size_t high = size();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        if (reachedCycle_[middle] < cycle)
            low = middle + 1;
        else
            high = middle;
    }
    return low;
}

std::size_t AnnotationStore::memoryBytes() const {
    std::size_t bytes = sizeof(*this) + annotations_.memoryBytes() + reachedCycle_.memoryBytes() +
                        textBytes_.load(std::memory_order_relaxed) +
                        rows_.capacity() * sizeof(StoreRow);
    for (const auto& lanes : rowLanes_) {
        bytes += sizeof(RowLanes) + lanes->lanes.memoryBytes();
        const std::size_t laneCount = lanes->lanes.size();
        for (std::size_t l = 0; l < laneCount; ++l)
            bytes += lanes->lanes[l]->spans.memoryBytes();
    }
    return bytes;
}

} // namespace voltarix::decode
