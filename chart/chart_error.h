#pragma once

#include <stdexcept>
#include <string>

namespace voltarix::chart {

// A setting the chart refuses. The old value stays in place; the program shows the text in its
// standard error box.
class ChartError : public std::runtime_error {
public:
    explicit ChartError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace voltarix::chart
