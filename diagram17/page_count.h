#pragma once

#include <QString>

#include <cstdint>

namespace voltarix::diagram17 {

// Completed pages: the cycle counter divided by the cycles per page,
// truncated toward zero. A density below 1 can reach here only from a field
// locked while it held a typed value out of range; it counts no pages rather
// than failing.
inline std::int64_t completedPages(std::int64_t counter, int cyclesPerPage) {
    return cyclesPerPage > 0 ? counter / cyclesPerPage : 0;
}

// The status bar text of the page count.
inline QString pageCountText(std::int64_t pages) {
    return QStringLiteral("Страниц: ") + QString::number(pages);
}

} // namespace voltarix::diagram17
