#pragma once

#include <QString>

#include <cstdint>
#include <string>

namespace voltarix::pictures {

// A text as a metafile's 8-bit text records hold it: the bytes in the code
// page of a character set, and that character set for the font.
struct WmfText {
    std::uint8_t charSet;
    std::string bytes;
};

constexpr std::uint8_t ansiCharSet = 0;
constexpr std::uint8_t russianCharSet = 204;

// Latin text goes out as ANSI (code page 1252 for its Latin-1 part), text
// with Cyrillic letters as RUSSIAN (code page 1251). A character the chosen
// code page lacks becomes "?".
WmfText toMetafileText(const QString& text);

} // namespace voltarix::pictures
