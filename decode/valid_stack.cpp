#include "decode/valid_stack.h"

#include "decode/decoder_catalog.h"

namespace voltarix::decode {

namespace {

std::string inGuillemets(const std::string& text) {
    return "«" + text + "»";
}

std::string joined(const std::vector<std::string>& values) {
    std::string text;
    for (const std::string& value : values) {
        if (!text.empty())
            text += ", ";
        text += value;
    }
    return text.empty() ? "ничего" : text;
}

Result<> checkChannels(const DecoderInfo& decoder, const std::map<std::string, int>& channels) {
    const std::string prefix = "Декодер " + decoder.id + ": ";
    std::map<int, std::string> channelOfPin;
    for (const auto& [id, pin] : channels) {
        if (!decoder.findChannel(id))
            return Result<>::failure(prefix + "нет канала " + inGuillemets(id) + ".");
        if (pin < firstPin || pin > lastPin)
            return Result<>::failure(prefix + "вывод " + std::to_string(pin) + " канала " + id +
                                     " вне диапазона 1–17.");
        const auto [other, fresh] = channelOfPin.emplace(pin, id);
        if (!fresh)
            return Result<>::failure(prefix + "вывод " + std::to_string(pin) +
                                     " назначен двум каналам: " + other->second + " и " + id + ".");
    }
    for (const ChannelInfo& channel : decoder.channels) {
        if (!channels.contains(channel.id))
            return Result<>::failure(prefix + "каналу " + channel.id + " (" + channel.name +
                                     ") не назначен вывод.");
    }
    if (channels.empty())
        return Result<>::failure(prefix + "не назначен ни один канал.");
    return success();
}

Result<> checkStacking(const DecoderInfo& lower, const DecoderInfo& upper) {
    if (upper.stacksOn(lower))
        return success();
    return Result<>::failure("Декодер " + upper.id + " не ставится на декодер " + lower.id +
                             ": он читает " + joined(upper.inputs) + ", а " + lower.id +
                             " выдаёт " + joined(lower.outputs) + ".");
}

} // namespace

Result<ValidStack> ValidStack::from(const DecoderCatalog& catalog, const StackSetup& setup) {
    using Checked = Result<ValidStack>;
    if (setup.layers.empty())
        return Checked::failure("Не выбран ни один декодер.");
    ValidStack stack;
    for (std::size_t index = 0; index < setup.layers.size(); ++index) {
        const LayerSetup& layerSetup = setup.layers[index];
        const DecoderInfo* decoder = catalog.find(layerSetup.decoderId);
        if (!decoder)
            return Checked::failure("Декодер " + inGuillemets(layerSetup.decoderId) +
                                    " не найден среди установленных.");
        if (index == 0) {
            if (!decoder->readsLines())
                return Checked::failure("Декодер " + decoder->id +
                                        " не читает линии: его ставят на декодер, выдающий " +
                                        joined(decoder->inputs) + ".");
            if (Result<> channels = checkChannels(*decoder, layerSetup.channels); !channels)
                return Checked::failure(channels.error());
        } else {
            if (Result<> stacking = checkStacking(*stack.layers.back().decoder, *decoder);
                !stacking)
                return Checked::failure(stacking.error());
            if (!layerSetup.channels.empty())
                return Checked::failure("Декодер " + decoder->id + " читает выход декодера " +
                                        stack.layers.back().decoder->id +
                                        ", выводы ему не назначают.");
        }
        Layer layer{decoder, layerSetup.channels, {}};
        for (const auto& [id, typed] : layerSetup.options) {
            const OptionInfo* option = decoder->findOption(id);
            if (!option)
                return Checked::failure("Декодер " + decoder->id + ": нет параметра " +
                                        inGuillemets(id) + ".");
            Result<OptionValue> value = OptionValue::parse(*option, typed, decoder->id);
            if (!value)
                return Checked::failure(value.error());
            layer.options.emplace(id, std::move(value).value());
        }
        stack.layers.push_back(std::move(layer));
    }
    return stack;
}

} // namespace voltarix::decode
