#include "regdiagram/register_chart.h"

#include "chart/chart.h"
#include "regdiagram/chart_3d_design.h"

namespace voltarix::regdiagram {

namespace {

constexpr int designCyclesPerPage = 25;
constexpr double valueAxisMaximum = 256;
constexpr double valueAxisEnd = 97;

void addBarSeries(chart::Chart& chart, const QString& name, const QColor& colour) {
    chart.addSeries(chart::SeriesKind::Bar, name).setSeriesColour(colour);
}

} // namespace

chart::Chart* makeRegisterChart(QWidget* parent) {
    auto* chart = new chart::Chart(parent);
    chart->setObjectName(QStringLiteral("Chart1"));
    chart::ChartModel& model = chart->model();
    model.setBackColour(Qt::white);
    model.setFrameColour(QColor(212, 208, 200));
    model.leftAxis().setMinMax(0, valueAxisMaximum);
    model.leftAxis().setEndPosition(valueAxisEnd);
    model.bottomAxis().setMinMax(0, designCyclesPerPage);
    model.setMaxPointsPerPage(designCyclesPerPage);
    model.setScaleLastPage(false);
    model.setBarWidthPercent(70);
    model.setAllowPanning(chart::Panning::Horizontal);
    model.setAnimatedZoom(true);
    registerChart3DDesign().applyTo(model);
    // The series' own colours show nowhere: every bar carries its colour.
    addBarSeries(*chart, QStringLiteral("Series1"), Qt::red);
    addBarSeries(*chart, QStringLiteral("Series2"), Qt::green);
    addBarSeries(*chart, QStringLiteral("Series3"), Qt::yellow);
    return chart;
}

} // namespace voltarix::regdiagram
