#pragma once

#include <QString>

namespace voltarix::chart {

// How one of the chart's level traces is drawn: its name and the y of its two levels.
struct TraceLevels {
    QString name;
    double low = 0;
    double high = 1;
};

} // namespace voltarix::chart
