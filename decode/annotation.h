#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace voltarix::decode {

// One annotation a decoder gave, placed on the recording.
struct Annotation {
    // The cycles it covers, first and last inclusive (the chart's x, from 0).
    std::uint64_t firstCycle = 0;
    std::uint64_t lastCycle = 0;
    // Its start and end on the recording's clock (the microseconds its cycles carry), to a
    // fraction of a microsecond: start of its first sample, end of its last.
    double startUs = 0;
    double endUs = 0;
    // The samples of the decoded stream, [startSample, endSample) as the library gives them.
    std::uint64_t startSample = 0;
    std::uint64_t endSample = 0;
    // Which decoder gave it: the stack (index in DecodeSettings::stacks) and the layer in it.
    int stack = 0;
    int layer = 0;
    // The row of the AnnotationStore it is drawn in (AnnotationStore::row(storeRow) names it),
    // and the decoder's own row and class (indexes into DecoderInfo::annotationRows and
    // DecoderInfo::annotationClasses).
    std::size_t storeRow = 0;
    int decoderRow = 0;
    int annotationClass = 0;
    // Longest first, as the decoder gives them ("Start bit", "Start", "S").
    std::vector<std::string> texts;

    const std::string& text() const;
};

} // namespace voltarix::decode
