#pragma once

#include <cstdint>
#include <vector>

namespace voltarix::chart {

// The smallest and the largest value of a run of points, as codes of the value dictionary they
// are stored with. Codes are compared through the dictionary, never by number.
struct CodeRange {
    std::uint32_t minCode = 0;
    std::uint32_t maxCode = 0;
    bool empty = true;

    static CodeRange of(std::uint32_t code) { return {code, code, false}; }

    bool spans(const CodeRange& whole) const {
        return !empty && minCode == whole.minCode && maxCode == whole.maxCode;
    }

    CodeRange merged(const CodeRange& other, const std::vector<double>& dictionary) const {
        if (empty)
            return other;
        if (other.empty || (other.minCode == minCode && other.maxCode == maxCode))
            return *this;
        CodeRange result = *this;
        if (dictionary[other.minCode] < dictionary[result.minCode])
            result.minCode = other.minCode;
        if (dictionary[other.maxCode] > dictionary[result.maxCode])
            result.maxCode = other.maxCode;
        return result;
    }
};

} // namespace voltarix::chart
