#include "diagram17/gauge_model.h"

#include <algorithm>

namespace voltarix::diagram17 {

void GaugeModel::setMaximum(std::int64_t maximum) {
    maximum_ = std::max<std::int64_t>(maximum, 0);
    position_ = std::min(position_, maximum_);
}

void GaugeModel::setPosition(std::int64_t position) {
    position_ = std::clamp<std::int64_t>(position, 0, maximum_);
}

} // namespace voltarix::diagram17
