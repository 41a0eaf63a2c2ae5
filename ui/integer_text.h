#pragma once

#include <QString>

#include <optional>
#include <stdexcept>

namespace voltarix::ui {

// Raised when a text that should hold an integer does not. The message is
// the one the standard error box shows.
class ConversionError : public std::runtime_error {
public:
    explicit ConversionError(const QString& text);
};

// The standard text-to-integer conversion: leading blanks are skipped, an
// optional sign follows, then "$", "x", "X", "0x" or "0X" introduces a
// hexadecimal number, otherwise the digits are decimal. Anything else, a
// trailing blank included, is not an integer. Decimal values must fit in 32
// bits; hexadecimal ones may use all 32 bits and wrap to negative.
std::optional<int> parseInteger(const QString& text);

// As parseInteger, but raises ConversionError on failure.
int StrToInt(const QString& text);

} // namespace voltarix::ui
