#include "capture/sample_ring.h"

#include <bit>

namespace voltarix::capture {

SampleRing::SampleRing(std::size_t capacity)
    : slots_(
          std::make_unique_for_overwrite<SampleRun[]>(std::bit_ceil(capacity < 2 ? 2 : capacity))),
      mask_(std::bit_ceil(capacity < 2 ? 2 : capacity) - 1) {}

void SampleRing::clear() {
    head_.store(0, std::memory_order_relaxed);
    tail_.store(0, std::memory_order_relaxed);
    cachedTail_ = 0;
    cachedHead_ = 0;
}

} // namespace voltarix::capture
