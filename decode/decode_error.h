#pragma once

#include <string>

namespace voltarix::decode {

// A fault that stopped one stack of a decoding: the library failed or rejected its settings,
// or a decoder's Python code raised an exception. Reported once; the stack decodes no more
// while the other stacks go on.
struct DecodeError {
    int stack = 0;         // index in DecodeSettings::stacks; -1 for the whole decoding
    std::string decoderId; // the decoder at fault, or the bottom one when it is not known
    // Russian, for a message box: what failed and the library's own words (the last line of a
    // Python traceback, for instance).
    std::string message;
};

} // namespace voltarix::decode
