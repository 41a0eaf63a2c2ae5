#include "decode/option_value.h"

#include <glib.h>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace voltarix::decode {

namespace {

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool readInteger(std::string_view text, std::int64_t& value) {
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() && !text.empty();
}

// Written with a point or, as Russian users often write it, a comma.
bool readFloat(std::string_view text, double& value) {
    std::string written(text);
    std::replace(written.begin(), written.end(), ',', '.');
    std::string_view digits(written);
    if (!digits.empty() && digits.front() == '+')
        digits.remove_prefix(1);
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return error == std::errc() && end == digits.data() + digits.size() && !digits.empty() &&
           std::isfinite(value);
}

std::string floatText(double value) {
    char buffer[64];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return error == std::errc() ? std::string(buffer, end) : std::string("0");
}

std::string inGuillemets(std::string_view text) {
    return "«" + std::string(text) + "»";
}

std::string joined(const std::vector<std::string>& values) {
    std::string text;
    for (const std::string& value : values) {
        if (!text.empty())
            text += ", ";
        text += value;
    }
    return text;
}

} // namespace

Result<OptionValue> OptionValue::parse(const OptionInfo& option, std::string_view text,
                                       const std::string& decoderId) {
    const std::string prefix =
        "Декодер " + decoderId + ": значение " + inGuillemets(text) + " параметра " + option.id;
    std::optional<OptionValue> parsed;
    switch (option.type) {
    case OptionType::Integer: {
        std::int64_t value = 0;
        if (!readInteger(trimmed(text), value))
            return Result<OptionValue>::failure(prefix + " не является целым числом.");
        parsed.emplace(value);
        break;
    }
    case OptionType::Float: {
        double value = 0;
        if (!readFloat(trimmed(text), value))
            return Result<OptionValue>::failure(prefix + " не является числом.");
        parsed.emplace(value);
        break;
    }
    case OptionType::Text:
        parsed.emplace(std::string(text));
        break;
    }
    if (!option.allowedValues.empty()) {
        const bool allowed = std::any_of(
            option.allowedValues.begin(), option.allowedValues.end(),
            [&](const std::string& allowedText) {
                const Result<OptionValue> candidate =
                    parse(OptionInfo{option.id, {}, option.type, {}, {}}, allowedText, decoderId);
                return candidate && candidate.value() == *parsed;
            });
        if (!allowed)
            return Result<OptionValue>::failure(
                prefix + " недопустимо; допустимы: " + joined(option.allowedValues) + ".");
    }
    return *parsed;
}

bool OptionValue::typeOf(GVariant* variant, OptionType& type) {
    if (g_variant_is_of_type(variant, G_VARIANT_TYPE_INT64))
        type = OptionType::Integer;
    else if (g_variant_is_of_type(variant, G_VARIANT_TYPE_DOUBLE))
        type = OptionType::Float;
    else if (g_variant_is_of_type(variant, G_VARIANT_TYPE_STRING))
        type = OptionType::Text;
    else
        return false;
    return true;
}

std::string OptionValue::textOf(GVariant* variant) {
    if (g_variant_is_of_type(variant, G_VARIANT_TYPE_INT64))
        return std::to_string(g_variant_get_int64(variant));
    if (g_variant_is_of_type(variant, G_VARIANT_TYPE_DOUBLE))
        return floatText(g_variant_get_double(variant));
    if (g_variant_is_of_type(variant, G_VARIANT_TYPE_STRING))
        return g_variant_get_string(variant, nullptr);
    gchar* printed = g_variant_print(variant, FALSE);
    std::string text(printed ? printed : "");
    g_free(printed);
    return text;
}

std::string OptionValue::text() const {
    if (const auto* integer = std::get_if<std::int64_t>(&value_))
        return std::to_string(*integer);
    if (const auto* real = std::get_if<double>(&value_))
        return floatText(*real);
    return std::get<std::string>(value_);
}

GVariant* OptionValue::toVariant() const {
    if (const auto* integer = std::get_if<std::int64_t>(&value_))
        return g_variant_new_int64(*integer);
    if (const auto* real = std::get_if<double>(&value_))
        return g_variant_new_double(*real);
    return g_variant_new_string(std::get<std::string>(value_).c_str());
}

} // namespace voltarix::decode
