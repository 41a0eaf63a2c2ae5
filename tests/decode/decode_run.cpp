#include "decode_run.h"

#include "decode/decode_worker.h"
#include "decode/stack_text.h"
#include "decode_catalog.h"
#include "diagram17/decoding/recording_source.h"

#include <gtest/gtest.h>

namespace voltarix::decode::testing {

std::vector<Annotation> decodeRecording(const diagram17::CycleTimes& times,
                                        const DecodeSettings& settings) {
    diagram17::CycleTimesSource source(times);
    DecodeWorker worker(catalog());
    worker.start(source, settings);
    worker.finishRecording();
    EXPECT_TRUE(worker.waitFinished(std::chrono::minutes(1)));
    for (const DecodeError& error : worker.takeErrors())
        ADD_FAILURE() << "stack " << error.stack << ": " << error.message;
    std::vector<Annotation> annotations;
    for (std::size_t i = 0; i < worker.annotations().size(); ++i)
        annotations.push_back(worker.annotations()[i]);
    return annotations;
}

std::vector<std::string> textsOfClass(const std::vector<Annotation>& annotations, int stack,
                                      int layer, int annotationClass) {
    std::vector<std::string> texts;
    for (const Annotation& annotation : annotations) {
        if (annotation.stack == stack && annotation.layer == layer &&
            annotation.annotationClass == annotationClass)
            texts.push_back(annotation.text());
    }
    return texts;
}

int classOf(const std::string& decoderId, const std::string& classId) {
    const DecoderInfo* decoder = catalog().find(decoderId);
    if (!decoder) {
        ADD_FAILURE() << "no decoder " << decoderId;
        return -1;
    }
    for (std::size_t c = 0; c < decoder->annotationClasses.size(); ++c) {
        if (decoder->annotationClasses[c].id == classId)
            return static_cast<int>(c);
    }
    ADD_FAILURE() << decoderId << " has no class " << classId;
    return -1;
}

StackSetup stackOf(const std::string& text) {
    Result<StackSetup> stack = parseStackText(catalog(), text);
    EXPECT_TRUE(stack) << text << ": " << stack.error();
    return stack ? stack.value() : StackSetup{};
}

} // namespace voltarix::decode::testing
