// Renders both chart kinds in 2D and 3D to PNG files, to look at the toolkit's output.
#include "demo_charts.h"

#include "chart/chart.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>

#include <cstdio>

using namespace voltarix::chart;

namespace {

void save(const Chart& chart, const QString& path) {
    QImage image(chart.size(), QImage::Format_RGB32);
    QPainter painter(&image);
    chart.render(painter, image.rect());
    painter.end();
    image.save(path);
    std::printf("%s\n", qPrintable(path));
}

void renderTraceCharts(const QDir& dir) {
    Chart chart;
    chart.resize(800, 400);
    demo::setUpTraceChart(chart.model());
    chart.model().setMaxPointsPerPage(40);
    for (std::int64_t c = 0; c < 57; ++c)
        demo::appendTraceCycle(chart.model(), demo::sampleLevels(c), PointLabel::number(c + 1));
    chart.bottomAxis().setAutomatic(false);
    chart.bottomAxis().scroll(17);
    save(chart, dir.filePath("trace_2d.png"));
    chart.model().setView3D(true);
    save(chart, dir.filePath("trace_3d.png"));
    chart.model().setView3D(false);
    chart.model().series(3).setActive(false);
    for (std::int64_t c = 57; c < 200000; ++c)
        demo::appendTraceCycle(chart.model(), demo::sampleLevels(c), PointLabel::number(c + 1));
    chart.model().setMaxPointsPerPage(0);
    chart.bottomAxis().setAutomatic(true);
    save(chart, dir.filePath("trace_all_points.png"));
}

void renderRegisterCharts(const QDir& dir) {
    Chart chart;
    chart.resize(434, 200);
    demo::setUpRegisterChart(chart.model());
    chart.model().series(1).setActive(true);
    for (std::int64_t c = 0; c < 20; ++c)
        demo::appendRegisterCycle(chart.model(), c);
    save(chart, dir.filePath("register_3d.png"));
    chart.model().setView3D(false);
    save(chart, dir.filePath("register_2d.png"));
    chart.resize(434, 89);
    chart.model().setView3D(true);
    save(chart, dir.filePath("register_3d_design_size.png"));
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::currentPath());
    renderTraceCharts(dir);
    renderRegisterCharts(dir);
    return 0;
}
