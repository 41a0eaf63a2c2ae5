#pragma once

#include "decode/option_value.h"
#include "decode/result.h"
#include "decode/stack_setup.h"

#include <map>
#include <string>
#include <vector>

namespace voltarix::decode {

class DecoderCatalog;
struct DecoderInfo;

// A stack whose setup passed every check that needs no library call: decoders known and
// stacking, pins in range, option texts turned into their types.
struct ValidStack {
    struct Layer {
        const DecoderInfo* decoder = nullptr;
        std::map<std::string, int> channels;
        // Only those the user set; the others keep the decoder's defaults.
        std::map<std::string, OptionValue> options;
    };
    std::vector<Layer> layers;

    // The checks that checkStack describes, but the library's own.
    static Result<ValidStack> from(const DecoderCatalog& catalog, const StackSetup& setup);
};

} // namespace voltarix::decode
