#pragma once

#include "chart/view3d_options.h"

namespace voltarix::chart {
class ChartModel;
}

namespace voltarix::regdiagram {

// How a chart is presented in 3D as the window is designed. The 17-bit chart
// starts flat, the register chart in 3D; both keep their angles, zoom and depth
// while flat.
struct Chart3DDesign {
    bool view3D;
    int chart3DPercent;
    chart::View3DOptions options;

    void applyTo(chart::ChartModel& model) const;
};

Chart3DDesign traceChart3DDesign();
Chart3DDesign registerChart3DDesign();

} // namespace voltarix::regdiagram
