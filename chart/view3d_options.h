#pragma once

namespace voltarix::chart {

// How a chart in 3D is seen. Angles in degrees (360 = straight on), zoom and perspective in
// percent, offsets in pixels. Orthogonal draws an oblique view at 45 degrees and ignores
// rotation, elevation and perspective.
struct View3DOptions {
    int rotation = 345;
    int elevation = 345;
    int zoom = 100;
    int perspective = 15;
    bool orthogonal = true;
    int horizontalOffset = 0;
    int verticalOffset = 0;
    bool zoomScalesText = true;

    bool operator==(const View3DOptions&) const = default;
};

} // namespace voltarix::chart
