#pragma once

#include <QRgb>
#include <QString>
#include <QStringList>

#include <functional>

namespace voltarix::chart {

// One annotation of a row: it covers x from start to end (end excluded), as the stair of the
// points at start ... end - 1 does. Its texts run from the longest to the shortest; the chart
// shows the longest that fits.
struct AnnotationSpan {
    double start = 0;
    double end = 0;
    QStringList texts;
    QRgb colour = 0xFFFFFFFF;
};

// Rows of annotations that a chart draws under its series, named at the left. The chart only
// asks for what its page shows, so an implementation over a long recording must answer a
// range without walking all of it.
class AnnotationRows {
public:
    using SpanVisitor = std::function<void(const AnnotationSpan&)>;

    virtual ~AnnotationRows() = default;

    virtual int rowCount() const = 0;
    virtual QString rowName(int row) const = 0;
    // The spans of `row` that overlap [from, to), in ascending order of start. `unitsPerPixel`
    // is the x width of one device pixel: spans narrower than that may be given merged.
    virtual void forEachSpan(int row, double from, double to, double unitsPerPixel,
                             const SpanVisitor& visit) const = 0;
};

} // namespace voltarix::chart
