#include "pictures/wmf/wmf_text_encoding.h"

#include <algorithm>
#include <optional>

namespace voltarix::pictures {

namespace {

bool isCyrillic(QChar c) {
    return c.unicode() >= 0x0400 && c.unicode() <= 0x04ff;
}

// Code page 1251: the 64 basic letters in alphabetical order from 0xC0, Ё and
// ё apart, and the few signs a label may carry.
std::optional<char> cp1251(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80)
        return static_cast<char>(u);
    if (u >= 0x0410 && u <= 0x044f)
        return static_cast<char>(0xc0 + (u - 0x0410));
    switch (u) {
    case 0x0401:
        return static_cast<char>(0xa8);
    case 0x0451:
        return static_cast<char>(0xb8);
    case 0x00a0:
        return static_cast<char>(0xa0);
    case 0x00b0:
        return static_cast<char>(0xb0);
    case 0x00ab:
        return static_cast<char>(0xab);
    case 0x00bb:
        return static_cast<char>(0xbb);
    case 0x2116:
        return static_cast<char>(0xb9);
    default:
        return std::nullopt;
    }
}

std::optional<char> latin1(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xa0 && u <= 0xff))
        return static_cast<char>(u);
    return std::nullopt;
}

} // namespace

WmfText toMetafileText(const QString& text) {
    const bool russian = std::any_of(text.begin(), text.end(), isCyrillic);
    WmfText out{russian ? russianCharSet : ansiCharSet, {}};
    out.bytes.reserve(static_cast<std::size_t>(text.size()));
    for (QChar c : text)
        out.bytes.push_back((russian ? cp1251(c) : latin1(c)).value_or('?'));
    return out;
}

} // namespace voltarix::pictures
