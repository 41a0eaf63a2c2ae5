#include "cli/capture_duration.h"

#include <array>
#include <limits>

namespace voltarix::cli {

namespace {

struct Unit {
    const char* name;
    std::uint64_t ns;
};

constexpr std::array<Unit, 5> units{{{"us", 1'000},
                                     {"ms", 1'000'000},
                                     {"s", 1'000'000'000},
                                     {"min", 60'000'000'000},
                                     {"h", 3'600'000'000'000}}};

std::optional<std::uint64_t> unitNs(QStringView name) {
    for (const Unit& unit : units) {
        if (name == QLatin1String(unit.name))
            return unit.ns;
    }
    return std::nullopt;
}

// The ASCII digits at the front of `text`, taken off it.
QStringView takeDigits(QStringView& text) {
    qsizetype count = 0;
    while (count < text.size() && text[count] >= u'0' && text[count] <= u'9')
        ++count;
    const QStringView digits = text.first(count);
    text = text.mid(count);
    return digits;
}

// Nothing when the value does not fit.
std::optional<std::uint64_t> valueOf(QStringView digits) {
    std::uint64_t value = 0;
    for (const QChar c : digits) {
        const std::uint64_t digit = c.unicode() - u'0';
        if (value > (std::numeric_limits<std::uint64_t>::max() - digit) / 10)
            return std::nullopt;
        value = value * 10 + digit;
    }
    return value;
}

// Digits of the fraction beyond a nanosecond cannot count; they are cut off.
std::uint64_t fractionNs(QStringView digits, std::uint64_t unit) {
    std::uint64_t scale = 1;
    std::uint64_t value = 0;
    for (const QChar c : digits) {
        if (scale >= unit)
            break;
        value = value * 10 + (c.unicode() - u'0');
        scale *= 10;
    }
    // value < scale <= 10 * unit, so the product fits in 128 bits.
    return static_cast<std::uint64_t>(static_cast<unsigned __int128>(value) * unit / scale);
}

} // namespace

const QString CaptureDuration::unitList = QStringLiteral("us, ms, s, min, h");

std::optional<std::uint64_t> CaptureDuration::parseNs(const QString& text) {
    QStringView rest(text);
    const QStringView wholeDigits = takeDigits(rest);
    QStringView fractionDigits;
    if (rest.startsWith(u'.')) {
        rest = rest.mid(1);
        fractionDigits = takeDigits(rest);
        if (fractionDigits.isEmpty())
            return std::nullopt;
    }
    const std::optional<std::uint64_t> whole = valueOf(wholeDigits);
    const std::optional<std::uint64_t> unit = unitNs(rest);
    if (wholeDigits.isEmpty() || !whole || !unit ||
        *whole > std::numeric_limits<std::uint64_t>::max() / *unit)
        return std::nullopt;
    const std::uint64_t wholeNs = *whole * *unit;
    const std::uint64_t partNs = fractionNs(fractionDigits, *unit);
    if (wholeNs > std::numeric_limits<std::uint64_t>::max() - partNs || wholeNs + partNs == 0)
        return std::nullopt;
    return wholeNs + partNs;
}

} // namespace voltarix::cli
