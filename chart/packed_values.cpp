#include "chart/packed_values.h"

#include <algorithm>
#include <bit>

namespace voltarix::chart {

namespace {

// Values are told apart by their bit pattern, so that a NaN finds its own code again.
std::uint64_t keyOf(double value) {
    return std::bit_cast<std::uint64_t>(value);
}

constexpr std::size_t kLinearLookupLimit = 16;

} // namespace

PackedValues::PackedValues() = default;
PackedValues::~PackedValues() = default;
PackedValues::PackedValues(PackedValues&&) noexcept = default;
PackedValues& PackedValues::operator=(PackedValues&&) noexcept = default;

void PackedValues::appendSlow(double value) {
    const std::uint32_t code = codeFor(value);
    pushCode(code);
    trackBlock(code, value);
    ++size_;
    blockLeft_ =
        static_cast<unsigned>(MinMaxPyramid::kBaseSize - (size_ & (MinMaxPyramid::kBaseSize - 1)));
    if (blockLeft_ == MinMaxPyramid::kBaseSize)
        closeBlock();
}

void PackedValues::closeBlock() {
    pyramid_.pushBlock(openBlock_, dictionary_);
    openBlock_ = CodeRange{};
}

std::uint32_t PackedValues::codeFor(double value) {
    const std::uint64_t key = keyOf(value);
    if (!dictionary_.empty() && keyOf(dictionary_[lastCode_]) == key)
        return lastCode_;
    lastKey_ = key;
    if (dictionary_.size() <= kLinearLookupLimit) {
        for (std::uint32_t code = 0; code < dictionary_.size(); ++code) {
            if (keyOf(dictionary_[code]) == key)
                return lastCode_ = code;
        }
    } else if (auto found = lookup_.find(key); found != lookup_.end()) {
        return lastCode_ = found->second;
    }
    return lastCode_ = addToDictionary(value);
}

std::uint32_t PackedValues::addToDictionary(double value) {
    const auto code = static_cast<std::uint32_t>(dictionary_.size());
    dictionary_.push_back(value);
    whole_ = whole_.merged(CodeRange::of(code), dictionary_);
    if (dictionary_.size() > kLinearLookupLimit) {
        if (lookup_.empty()) {
            for (std::uint32_t c = 0; c < dictionary_.size(); ++c)
                lookup_.emplace(keyOf(dictionary_[c]), c);
        } else {
            lookup_.emplace(keyOf(value), code);
        }
    }
    unsigned needed = bits_;
    while (needed < 32 && (std::uint64_t{code} >> needed) != 0)
        needed *= 2;
    if (needed != bits_)
        widenTo(needed);
    return code;
}

void PackedValues::widenTo(unsigned bits) {
    std::vector<std::uint32_t> codes(static_cast<std::size_t>(size_));
    for (std::int64_t i = 0; i < size_; ++i)
        codes[static_cast<std::size_t>(i)] = codeAt(i);
    chunks_.clear();
    pending_ = 0;
    pendingIndex_ = 0;
    shift_ = 0;
    bits_ = bits;
    for (std::uint32_t code : codes)
        pushCode(code);
}

void PackedValues::pushCode(std::uint32_t code) {
    if (shift_ == 64)
        flushPending();
    pending_ |= std::uint64_t{code} << shift_;
    shift_ += bits_;
}

void PackedValues::flushPending() {
    const std::size_t chunk = static_cast<std::size_t>(pendingIndex_ >> kChunkShift);
    if (chunk == chunks_.size())
        chunks_.push_back(std::make_unique<std::uint64_t[]>(kChunkWords));
    chunks_[chunk][pendingIndex_ & (kChunkWords - 1)] = pending_;
    ++pendingIndex_;
    pending_ = 0;
    shift_ = 0;
}

std::uint64_t PackedValues::word(std::uint64_t index) const {
    if (index == pendingIndex_)
        return pending_;
    return chunks_[static_cast<std::size_t>(index >> kChunkShift)][index & (kChunkWords - 1)];
}

std::uint32_t PackedValues::codeAt(std::int64_t index) const {
    const std::uint64_t bit = static_cast<std::uint64_t>(index) * bits_;
    const std::uint64_t mask = bits_ == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << bits_) - 1;
    return static_cast<std::uint32_t>((word(bit >> 6) >> (bit & 63)) & mask);
}

void PackedValues::trackBlock(std::uint32_t code, double value) {
    if (openBlock_.empty) {
        openBlock_ = CodeRange::of(code);
        return;
    }
    if (value < dictionary_[openBlock_.minCode])
        openBlock_.minCode = code;
    if (value > dictionary_[openBlock_.maxCode])
        openBlock_.maxCode = code;
}

// Loose points at either end are scanned; whole blocks between them come from the pyramid.
CodeRange PackedValues::range(std::int64_t first, std::int64_t last) const {
    first = std::max<std::int64_t>(first, 0);
    last = std::min(last, size_);
    if (first >= last)
        return {};
    const std::int64_t blockFirst =
        (first + MinMaxPyramid::kBaseSize - 1) >> MinMaxPyramid::kBaseShift;
    const std::int64_t blockLast =
        std::min(last >> MinMaxPyramid::kBaseShift, pyramid_.nodeCount(0));
    if (blockFirst >= blockLast)
        return scan(first, last);
    CodeRange result = scan(first, blockFirst << MinMaxPyramid::kBaseShift);
    if (!result.spans(whole_))
        pyramid_.mergeBlocks(blockFirst, blockLast, dictionary_, whole_, result);
    if (!result.spans(whole_))
        result = result.merged(scan(blockLast << MinMaxPyramid::kBaseShift, last), dictionary_);
    return result;
}

CodeRange PackedValues::scan(std::int64_t first, std::int64_t last) const {
    if (bits_ == 1)
        return scanBits(first, last);
    CodeRange result;
    for (std::int64_t i = first; i < last; ++i)
        result = result.merged(CodeRange::of(codeAt(i)), dictionary_);
    return result;
}

// One-bit codes: a word tells at once whether code 0, code 1 or both occur in it.
CodeRange PackedValues::scanBits(std::int64_t first, std::int64_t last) const {
    bool seen[2] = {false, false};
    while (first < last) {
        const std::uint64_t index = static_cast<std::uint64_t>(first) >> 6;
        const unsigned from = static_cast<unsigned>(first & 63);
        const std::int64_t wordEnd = static_cast<std::int64_t>((index + 1) << 6);
        const unsigned to = static_cast<unsigned>(std::min(last, wordEnd) - first) + from;
        const std::uint64_t high = to == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << to) - 1;
        const std::uint64_t mask = high & ~((std::uint64_t{1} << from) - 1);
        const std::uint64_t bits = word(index);
        seen[1] = seen[1] || (bits & mask) != 0;
        seen[0] = seen[0] || (~bits & mask) != 0;
        first = std::min(last, wordEnd);
    }
    CodeRange result;
    for (std::uint32_t code = 0; code < 2; ++code) {
        if (seen[code])
            result = result.merged(CodeRange::of(code), dictionary_);
    }
    return result;
}

std::size_t PackedValues::memoryBytes() const {
    std::size_t bytes = sizeof(*this);
    bytes += chunks_.capacity() * sizeof(chunks_[0]) + chunks_.size() * kChunkWords * 8;
    bytes += dictionary_.capacity() * sizeof(double);
    bytes += lookup_.size() * (sizeof(std::uint64_t) + sizeof(std::uint32_t) + 2 * sizeof(void*));
    bytes += lookup_.bucket_count() * sizeof(void*);
    return bytes + pyramid_.memoryBytes();
}

} // namespace voltarix::chart
