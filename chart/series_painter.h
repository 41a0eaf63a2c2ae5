#pragma once

#include "chart/column_reducer.h"
#include "chart/stair_geometry.h"

#include <QPainter>

#include <optional>
#include <vector>

namespace voltarix::chart {

class ChartFrame;
class ChartModel;
class ChartSeries;

// Draws the active series from what their visible slice reduces to. In 3D each line series is a
// ribbon in its own depth slot and the bars of one x stand side by side as boxes.
class SeriesPainter {
public:
    SeriesPainter(const ChartModel& model, const ChartFrame& frame, QPainter& painter);

    void paint();

private:
    void paintLine(const ChartSeries& series, int slot, int slotCount);
    ReducedSeries reduceLine(const ColumnReducer& reducer, const ChartSeries& series);
    void paintBars(const ChartSeries& series, int slot, int slotCount);
    void drawFlatLines(const std::vector<ColouredLine>& lines);
    void drawBands(const std::vector<ColouredBand>& bands, double z);
    void drawRibbon(const std::vector<ColouredLine>& lines, double z0, double z1);
    void drawBar(const QRectF& bar, QRgb colour);
    void drawBoxesBackToFront();

    struct BarBox {
        QRectF bar;
        QRgb colour;
    };

    const ChartModel& model_;
    const ChartFrame& frame_;
    QPainter& painter_;
    // In 3D the bars of all series, drawn together once their order is known.
    std::vector<BarBox> boxes_;
    // Found at the first level trace painted, for all of them.
    std::optional<ColumnReducer::LevelColumns> levelColumns_;
};

} // namespace voltarix::chart
