#pragma once

#include "chart/change_signal.h"
#include "chart/chart_axis.h"
#include "chart/chart_series.h"
#include "chart/level_rows.h"
#include "chart/trace_levels.h"
#include "chart/view3d_options.h"

#include <QColor>
#include <QMargins>

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace voltarix::chart {

class AnnotationRows;

enum class Panning { None, Horizontal, Vertical, Both };

// Everything a chart shows, without any widget: series, axes, paging, colours and the 3D view.
// The widget, the bitmap export and a metafile device all paint from this one object.
class ChartModel {
public:
    ChartModel();
    ChartModel(const ChartModel&) = delete;
    ChartModel& operator=(const ChartModel&) = delete;

    // Called once after each change that is not yet drawn; see ChangeSignal.
    ChangeSignal& changeSignal() { return changed_; }

    ChartSeries& addSeries(SeriesKind kind, const QString& name = {});
    int seriesCount() const { return static_cast<int>(series_.size()); }
    ChartSeries& series(int index) { return *series_[static_cast<std::size_t>(index)]; }
    const ChartSeries& series(int index) const { return *series_[static_cast<std::size_t>(index)]; }
    void appendPoint(int series, double y, const PointLabel& label, QRgb colour) {
        series_[static_cast<std::size_t>(series)]->appendPoint(y, label, colour);
    }

    // Level traces: two-level stair series that receive a point together, stored as runs of
    // equal rows, so that a recording costs memory by its level changes, not its cycles (see
    // LevelRows). The 17-trace chart sets them up once:
    //     std::vector<TraceLevels> traces; // trace k: {name, y when low, y when high}
    //     int first = model.addLevelTraces(traces);
    // and appends a capture cycle, bit k of `levels` being trace k's level, with
    //     model.appendLevels(levels, PointLabel::number(cycle), colours); // one colour a trace
    // The traces are ordinary series (first, first + 1, ...) for everything else: Active,
    // series colour, y(i), label(i), colour(i). A chart holds one group of level traces,
    // of 1 to 32 traces; a second group is refused with a ChartError.
    int addLevelTraces(std::span<const TraceLevels> traces);
    // One row for the level traces; `colours` must hold one colour per trace, or the row is
    // refused with a ChartError.
    Q_ALWAYS_INLINE void appendLevels(std::uint32_t levels, const PointLabel& label,
                                      std::span<const QRgb> colours) {
        if (!levelRows_ || colours.size() != static_cast<std::size_t>(levelRows_->traceCount()))
            refuseLevels(colours.size());
        levelRows_->append(levels, label, colours.data());
        if (!changed_.dirty() && levelTracesShown())
            changed_.touch();
    }

    // `count` rows of equal levels at once, as `count` calls of appendLevels would append them:
    // the first row carries `label`, each later one the next number after a number label, or
    // the same text.
    void appendLevelsRepeated(std::uint32_t levels, const PointLabel& label,
                              std::span<const QRgb> colours, std::int64_t count);

    // The level traces' rows, or null before addLevelTraces: what an exporter of the recording
    // walks change by change (LevelRows::forEachRun).
    const LevelRows* levelRows() const { return levelRows_.get(); }

    ChartAxis& bottomAxis() { return bottom_; }
    const ChartAxis& bottomAxis() const { return bottom_; }
    ChartAxis& leftAxis() { return left_; }
    const ChartAxis& leftAxis() const { return left_; }

    // Points of the longest active series (of all series when none is active).
    std::int64_t pointCount() const;
    bool hasBars() const;

    int maxPointsPerPage() const { return maxPointsPerPage_; }
    void setMaxPointsPerPage(int points); // refuses a negative value
    bool scaleLastPage() const { return scaleLastPage_; }
    void setScaleLastPage(bool scale);
    std::int64_t page() const { return page_; }
    void setPage(std::int64_t page);
    std::int64_t pageCount() const;

    bool axisVisible() const { return axisVisible_; }
    void setAxisVisible(bool visible);
    QMargins margins() const { return margins_; }
    void setMargins(const QMargins& margins);
    // The plot area behind the series.
    QColor backColour() const { return backColour_; }
    void setBackColour(const QColor& colour);
    // The chart's own colour: the frame around the plot where the axis labels stand.
    QColor frameColour() const { return frameColour_; }
    void setFrameColour(const QColor& colour);
    QColor axisColour() const { return axisColour_; }
    void setAxisColour(const QColor& colour);
    QColor gridColour() const { return gridColour_; }
    void setGridColour(const QColor& colour);
    // Bar width in percent of the slot a group of bars stands in.
    int barWidthPercent() const { return barWidthPercent_; }
    void setBarWidthPercent(int percent);

    bool view3D() const { return view3D_; }
    void setView3D(bool on);
    int chart3DPercent() const { return chart3DPercent_; }
    void setChart3DPercent(int percent);
    const View3DOptions& view3DOptions() const { return view3DOptions_; }
    void setView3DOptions(const View3DOptions& options);

    Panning allowPanning() const { return allowPanning_; }
    void setAllowPanning(Panning panning) { allowPanning_ = panning; }
    bool animatedZoom() const { return animatedZoom_; }
    void setAnimatedZoom(bool animated) { animatedZoom_ = animated; }

    // Rows of annotations drawn under the series (see AnnotationRows), or null for none. The
    // model does not own them; they must outlive it or be taken away first. A change of
    // their content is told with annotationsChanged().
    const AnnotationRows* annotationRows() const { return annotationRows_; }
    void setAnnotationRows(const AnnotationRows* rows);
    void annotationsChanged() { changed_.touch(); }

    // Bytes the chart holds for its series and level traces, all included. Cheap enough to ask
    // every cycle: a few steps per series, however long the recording.
    std::size_t memoryBytes() const;

private:
    [[noreturn]] void refuseLevels(std::size_t colours) const;
    bool levelTracesShown() const;
    AxisRange automaticBottomRange() const;
    AxisRange automaticLeftRange() const;

    ChangeSignal changed_;
    std::vector<std::unique_ptr<ChartSeries>> series_;
    std::unique_ptr<LevelRows> levelRows_;
    int firstLevelTrace_ = 0;
    const AnnotationRows* annotationRows_ = nullptr;
    ChartAxis bottom_;
    ChartAxis left_;
    QMargins margins_{4, 4, 4, 4};
    QColor backColour_ = Qt::white;
    QColor frameColour_ = QColor(240, 240, 240);
    QColor axisColour_ = Qt::black;
    QColor gridColour_ = QColor(192, 192, 192);
    View3DOptions view3DOptions_;
    std::int64_t page_ = 1;
    int maxPointsPerPage_ = 0;
    int chart3DPercent_ = 15;
    int barWidthPercent_ = 70;
    Panning allowPanning_ = Panning::Both;
    bool scaleLastPage_ = true;
    bool axisVisible_ = true;
    bool view3D_ = false;
    bool animatedZoom_ = false;
};

} // namespace voltarix::chart
