#include "decode/decoder_info.h"

#include <algorithm>

namespace voltarix::decode {

bool DecoderInfo::readsLines() const {
    return std::find(inputs.begin(), inputs.end(), "logic") != inputs.end();
}

bool DecoderInfo::stacksOn(const DecoderInfo& lower) const {
    return std::any_of(inputs.begin(), inputs.end(), [&lower](const std::string& input) {
        return input != "logic" &&
               std::find(lower.outputs.begin(), lower.outputs.end(), input) != lower.outputs.end();
    });
}

const ChannelInfo* DecoderInfo::findChannel(const std::string& channelId) const {
    for (const auto* list : {&channels, &optionalChannels}) {
        for (const ChannelInfo& channel : *list) {
            if (channel.id == channelId)
                return &channel;
        }
    }
    return nullptr;
}

const OptionInfo* DecoderInfo::findOption(const std::string& optionId) const {
    for (const OptionInfo& option : options) {
        if (option.id == optionId)
            return &option;
    }
    return nullptr;
}

std::size_t DecoderInfo::rowOfClass(int annotationClass) const {
    for (std::size_t row = 0; row < annotationRows.size(); ++row) {
        const std::vector<int>& classes = annotationRows[row].classes;
        if (std::find(classes.begin(), classes.end(), annotationClass) != classes.end())
            return row;
    }
    // The catalog puts every class in a row; a class number the decoder never declared goes
    // to its last row rather than nowhere.
    return annotationRows.empty() ? 0 : annotationRows.size() - 1;
}

} // namespace voltarix::decode
