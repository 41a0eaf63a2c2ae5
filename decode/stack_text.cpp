#include "decode/stack_text.h"

#include "decode/decoder_catalog.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <vector>

namespace voltarix::decode {

namespace {

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

std::vector<std::string_view> split(std::string_view text, char separator) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(trimmed(text.substr(start, end - start)));
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

std::string inGuillemets(std::string_view text) {
    return "«" + std::string(text) + "»";
}

// "15" or "Pin15" in any case.
bool readPin(std::string_view text, int& pin) {
    if (text.size() > 3 && std::tolower(static_cast<unsigned char>(text[0])) == 'p' &&
        std::tolower(static_cast<unsigned char>(text[1])) == 'i' &&
        std::tolower(static_cast<unsigned char>(text[2])) == 'n')
        text.remove_prefix(3);
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), pin);
    return error == std::errc() && end == text.data() + text.size() && !text.empty() &&
           pin >= firstPin && pin <= lastPin;
}

Result<LayerSetup> parseLayer(const DecoderCatalog& catalog, std::string_view text, bool bottom) {
    using Parsed = Result<LayerSetup>;
    const std::vector<std::string_view> parts = split(text, ':');
    LayerSetup layer;
    layer.decoderId = std::string(parts.front());
    if (layer.decoderId.empty())
        return Parsed::failure("Не задан декодер в " + inGuillemets(text) + ".");
    const DecoderInfo* decoder = catalog.find(layer.decoderId);
    if (!decoder)
        return Parsed::failure("Декодер " + inGuillemets(layer.decoderId) +
                               " не найден среди установленных.");
    const std::string prefix = "Декодер " + decoder->id + ": ";
    for (std::size_t i = 1; i < parts.size(); ++i) {
        const std::size_t equals = parts[i].find('=');
        if (equals == std::string_view::npos)
            return Parsed::failure(prefix + "в " + inGuillemets(parts[i]) + " нет знака «=».");
        const std::string key(trimmed(parts[i].substr(0, equals)));
        const std::string_view value = trimmed(parts[i].substr(equals + 1));
        if (layer.channels.contains(key) || layer.options.contains(key))
            return Parsed::failure(prefix + inGuillemets(key) + " задан дважды.");
        if (decoder->findChannel(key)) {
            if (!bottom)
                return Parsed::failure(prefix +
                                       "он читает выход декодера под ним, выводы ему "
                                       "не назначают (" +
                                       key + ").");
            int pin = 0;
            if (!readPin(value, pin))
                return Parsed::failure(prefix + inGuillemets(value) + " для канала " + key +
                                       " не вывод 1–17 (пишется номером или как Pin15).");
            layer.channels.emplace(key, pin);
        } else if (decoder->findOption(key)) {
            layer.options.emplace(key, std::string(value));
        } else {
            return Parsed::failure(prefix + "нет канала или параметра " + inGuillemets(key) + ".");
        }
    }
    return layer;
}

} // namespace

Result<StackSetup> parseStackText(const DecoderCatalog& catalog, std::string_view text) {
    if (trimmed(text).empty())
        return Result<StackSetup>::failure("Не задан декодер.");
    StackSetup stack;
    for (const std::string_view layerText : split(text, ',')) {
        Result<LayerSetup> layer = parseLayer(catalog, layerText, stack.layers.empty());
        if (!layer)
            return Result<StackSetup>::failure(layer.error());
        stack.layers.push_back(std::move(layer).value());
    }
    return stack;
}

std::string stackText(const StackSetup& stack, PinSpelling pins) {
    std::string text;
    for (const LayerSetup& layer : stack.layers) {
        if (!text.empty())
            text += ',';
        text += layer.decoderId;
        for (const auto& [id, pin] : layer.channels)
            text += ':' + id + '=' +
                    (pins == PinSpelling::WireName ? pinWireName(pin) : std::to_string(pin));
        for (const auto& [id, value] : layer.options)
            text += ':' + id + '=' + value;
    }
    return text;
}

std::string pinWireName(int pin) {
    return "Pin" + std::to_string(pin);
}

} // namespace voltarix::decode
