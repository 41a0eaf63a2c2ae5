#pragma once

#include "decode/decoder_info.h"
#include "decode/result.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

typedef struct _GVariant GVariant;

namespace voltarix::decode {

// An option's value in the type the decoder declares, turned from and into the text a user
// types.
class OptionValue {
public:
    using Value = std::variant<std::int64_t, double, std::string>;

    explicit OptionValue(Value value) : value_(std::move(value)) {}

    // The text read as `option`'s type, then checked against its allowed values; `decoderId`
    // names the decoder in the message.
    static Result<OptionValue> parse(const OptionInfo& option, std::string_view text,
                                     const std::string& decoderId);

    // A library value (int64, double or string) and its type; false for another type.
    static bool typeOf(GVariant* variant, OptionType& type);
    // The value written as a user would type it.
    static std::string textOf(GVariant* variant);

    const Value& value() const { return value_; }
    std::string text() const;
    // A new floating reference, for the library's option tables.
    GVariant* toVariant() const;

    friend bool operator==(const OptionValue&, const OptionValue&) = default;

private:
    Value value_;
};

} // namespace voltarix::decode
