#include "chart/chart_axis.h"

#include "chart/chart_error.h"

#include <utility>

namespace voltarix::chart {

namespace {
const char* const kMaximumBelowMinimum = "Axis Maximum Value must be >= Minimum";
const char* const kMinimumAboveMaximum = "Axis Minimum Value must be <= Maximum";
} // namespace

ChartAxis::ChartAxis(RangeSource automaticRange, ChangeSignal* changed)
    : automaticRange_(std::move(automaticRange)), changed_(changed) {}

void ChartAxis::setAutomatic(bool automatic) {
    if (automatic_ == automatic)
        return;
    if (!automatic)
        manual_ = automaticRange_();
    automatic_ = automatic;
    changed_->touch();
}

// While the axis is automatic a bound set here is kept but not shown; the check is against the
// range the user sees, which is what the error text speaks of.
void ChartAxis::setMinimum(double minimum) {
    if (minimum > maximum())
        throw ChartError(kMinimumAboveMaximum);
    manual_.minimum = minimum;
    changed_->touch();
}

void ChartAxis::setMaximum(double maximum) {
    if (maximum < minimum())
        throw ChartError(kMaximumBelowMinimum);
    manual_.maximum = maximum;
    changed_->touch();
}

void ChartAxis::setMinMax(double minimum, double maximum) {
    if (maximum < minimum)
        throw ChartError(kMaximumBelowMinimum);
    manual_ = {minimum, maximum};
    automatic_ = false;
    changed_->touch();
}

void ChartAxis::scroll(double offset) {
    manual_ = range().shifted(offset);
    automatic_ = false;
    changed_->touch();
}

void ChartAxis::setIncrement(double increment) {
    if (increment < 0)
        throw ChartError("Axis Increment must be >= 0");
    increment_ = increment;
    changed_->touch();
}

void ChartAxis::setStartPosition(double percent) {
    startPosition_ = percent;
    changed_->touch();
}

void ChartAxis::setEndPosition(double percent) {
    endPosition_ = percent;
    changed_->touch();
}

void ChartAxis::setVisible(bool visible) {
    visible_ = visible;
    changed_->touch();
}

void ChartAxis::setLabelsVisible(bool visible) {
    labelsVisible_ = visible;
    changed_->touch();
}

void ChartAxis::setTicksVisible(bool visible) {
    ticksVisible_ = visible;
    changed_->touch();
}

void ChartAxis::setGridVisible(bool visible) {
    gridVisible_ = visible;
    changed_->touch();
}

} // namespace voltarix::chart
