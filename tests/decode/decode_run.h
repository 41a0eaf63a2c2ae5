#pragma once

#include "decode/annotation.h"
#include "decode/decode_settings.h"
#include "diagram17/cycle_times.h"

#include <string>
#include <vector>

namespace voltarix::decode::testing {

// Decodes a whole recording through a DecodeWorker and returns its annotations in store
// order; a decoding that does not finish within a minute fails the test.
std::vector<Annotation> decodeRecording(const diagram17::CycleTimes& times,
                                        const DecodeSettings& settings);

// The first text of each annotation of one class of one decoder layer, in order.
std::vector<std::string> textsOfClass(const std::vector<Annotation>& annotations, int stack,
                                      int layer, int annotationClass);

// The class number of `classId` in decoder `decoderId`.
int classOf(const std::string& decoderId, const std::string& classId);

// A stack from sigrok-cli's syntax; a syntax error fails the test.
StackSetup stackOf(const std::string& text);

} // namespace voltarix::decode::testing
