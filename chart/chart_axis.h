#pragma once

#include "chart/axis_range.h"
#include "chart/change_signal.h"

#include <functional>

namespace voltarix::chart {

// One axis. Automatic: the chart chooses the range from the data (and the page); manual: the
// range set here. Bounds that would cross are refused with ChartError and the range stays.
class ChartAxis {
public:
    using RangeSource = std::function<AxisRange()>;

    ChartAxis(RangeSource automaticRange, ChangeSignal* changed);

    bool automatic() const { return automatic_; }
    // Turning automatic off keeps the range shown at that moment.
    void setAutomatic(bool automatic);

    AxisRange range() const { return automatic_ ? automaticRange_() : manual_; }
    double minimum() const { return range().minimum; }
    double maximum() const { return range().maximum; }
    void setMinimum(double minimum);
    void setMaximum(double maximum);
    void setMinMax(double minimum, double maximum);
    // Both bounds move by `offset`; the axis becomes manual. No limit at the data's ends.
    void scroll(double offset);

    // Label step in axis units; 0 lets the chart choose. Labels are thinned further if needed.
    double increment() const { return increment_; }
    void setIncrement(double increment);

    // Where the axis begins and ends, in percent of the plot's extent along it.
    double startPosition() const { return startPosition_; }
    double endPosition() const { return endPosition_; }
    void setStartPosition(double percent);
    void setEndPosition(double percent);

    bool visible() const { return visible_; }
    void setVisible(bool visible);
    bool labelsVisible() const { return labelsVisible_; }
    void setLabelsVisible(bool visible);
    bool ticksVisible() const { return ticksVisible_; }
    void setTicksVisible(bool visible);
    bool gridVisible() const { return gridVisible_; }
    void setGridVisible(bool visible);

private:
    RangeSource automaticRange_;
    ChangeSignal* changed_;
    AxisRange manual_{0, 10};
    double increment_ = 0;
    double startPosition_ = 0;
    double endPosition_ = 100;
    bool automatic_ = true;
    bool visible_ = true;
    bool labelsVisible_ = true;
    bool ticksVisible_ = true;
    bool gridVisible_ = true;
};

} // namespace voltarix::chart
