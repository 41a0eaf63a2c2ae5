#include "ui/integer_text.h"

#include <cstdint>
#include <limits>

namespace voltarix::ui {

ConversionError::ConversionError(const QString& text)
    : std::runtime_error(
          QStringLiteral("'%1' is not a valid integer value").arg(text).toStdString()) {}

namespace {

int digitValue(QChar c, int base) {
    const char16_t u = c.unicode();
    int value = -1;
    if (u >= u'0' && u <= u'9')
        value = u - u'0';
    else if (u >= u'a' && u <= u'f')
        value = u - u'a' + 10;
    else if (u >= u'A' && u <= u'F')
        value = u - u'A' + 10;
    return value < base ? value : -1;
}

// Length of the hexadecimal prefix at pos, or 0 when the number is decimal.
qsizetype hexPrefixLength(const QString& text, qsizetype pos) {
    if (pos >= text.size())
        return 0;
    const QChar c = text[pos];
    if (c == u'$' || c == u'x' || c == u'X')
        return 1;
    if (c == u'0' && pos + 1 < text.size() && (text[pos + 1] == u'x' || text[pos + 1] == u'X'))
        return 2;
    return 0;
}

} // namespace

std::optional<int> parseInteger(const QString& text) {
    qsizetype pos = 0;
    while (pos < text.size() && text[pos] == u' ')
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == u'-' || text[pos] == u'+')) {
        negative = text[pos] == u'-';
        ++pos;
    }
    const qsizetype prefix = hexPrefixLength(text, pos);
    const int base = prefix > 0 ? 16 : 10;
    pos += prefix;
    if (pos >= text.size())
        return std::nullopt;

    // Hexadecimal may fill all 32 bits; decimal must fit a signed 32-bit value.
    const std::uint64_t limit =
        base == 16
            ? 0xFFFFFFFFull
            : static_cast<std::uint64_t>(std::numeric_limits<int>::max()) + (negative ? 1 : 0);
    std::uint64_t magnitude = 0;
    for (; pos < text.size(); ++pos) {
        const int digit = digitValue(text[pos], base);
        if (digit < 0)
            return std::nullopt;
        magnitude = magnitude * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
        if (magnitude > limit)
            return std::nullopt;
    }
    auto value = static_cast<std::uint32_t>(magnitude);
    if (negative)
        value = 0u - value;
    return static_cast<int>(value);
}

int StrToInt(const QString& text) {
    if (const auto value = parseInteger(text))
        return *value;
    throw ConversionError(text);
}

} // namespace voltarix::ui
