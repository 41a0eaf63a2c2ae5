#pragma once

#include <optional>

namespace voltarix::regdiagram {

// The page arithmetic of the register chart.
struct RegisterPaging {
    // The page the counter stands on: counter / cycles per page, truncated
    // toward zero. No page while the cycles per page read 0 or below (a value
    // being typed): the page number then stays as it is, rather than a new
    // page being announced for a width nobody chose.
    static std::optional<int> pageNumber(int counter, int cyclesPerPage) {
        if (cyclesPerPage <= 0)
            return std::nullopt;
        return counter / cyclesPerPage;
    }
};

} // namespace voltarix::regdiagram
