#pragma once

#include <QRgb>
#include <QString>

#include <array>
#include <cstdint>

namespace voltarix::chart {
class Chart;
}

namespace voltarix::diagram17 {

// One of the 17 traces of the 17-bit chart, bottom to top. The order is also
// the order in which a capture cycle reads the pins and appends the points.
struct TraceSpec {
    int seriesNumber; // Series<n>
    int pin;          // the pin function Pin<n> that feeds it
    int boxNumber;    // its visibility box CheckBox<n>
    QRgb pointColour; // the colour of its register group
    QRgb designColour;
};

inline constexpr int traceCount = 17;
inline constexpr QRgb aqua = 0xFF00FFFF;
inline constexpr QRgb yellow = 0xFFFFFF00;
inline constexpr QRgb lime = 0xFF00FF00;

// Status lines first, then control, then data.
const std::array<TraceSpec, traceCount>& traceTable();
// The point colours in table order, for appending a whole cycle.
const std::array<QRgb, traceCount>& pointColours();

// Trace k lies in its own lane: low at 4k + 1, high at 4k + 3.
constexpr double lowLevel(int k) {
    return 4.0 * k + 1;
}
constexpr double highLevel(int k) {
    return 4.0 * k + 3;
}

// The 17-bit chart as designed: black, no margins, the y axis fixed to 0..70
// and hidden, the 17 stair traces, one page for all points.
void setUpChart2(chart::Chart& chart2);

} // namespace voltarix::diagram17
