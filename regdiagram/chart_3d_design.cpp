#include "regdiagram/chart_3d_design.h"

#include "chart/chart_model.h"

namespace voltarix::regdiagram {

void Chart3DDesign::applyTo(chart::ChartModel& model) const {
    model.setView3DOptions(options);
    model.setChart3DPercent(chart3DPercent);
    model.setView3D(view3D);
}

Chart3DDesign traceChart3DDesign() {
    chart::View3DOptions options;
    options.rotation = 340;
    options.elevation = 330;
    options.zoom = 100;
    options.orthogonal = false;
    options.perspective = 0;
    options.verticalOffset = 71;
    return {false, 55, options};
}

Chart3DDesign registerChart3DDesign() {
    chart::View3DOptions options;
    options.rotation = 346;
    options.elevation = 342;
    options.zoom = 100;
    options.orthogonal = true;
    options.perspective = 15;
    options.zoomScalesText = false;
    return {true, 50, options};
}

} // namespace voltarix::regdiagram
