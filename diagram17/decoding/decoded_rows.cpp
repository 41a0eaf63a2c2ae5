#include "diagram17/decoding/decoded_rows.h"

#include "decode/annotation_store.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace voltarix::diagram17::decoding {

namespace {

// Light colours, so that black text reads on every one of them.
constexpr std::array<QRgb, 10> palette{0xFFEF8A8A, 0xFFF5C271, 0xFFF2EE7C, 0xFF9CE38A, 0xFF87D9D0,
                                       0xFF8FB8F2, 0xFFC4A3EE, 0xFFEDA4D6, 0xFFC9C9C9, 0xFFDDBB99};

chart::AnnotationSpan spanOf(const decode::Annotation& a) {
    chart::AnnotationSpan span;
    span.start = static_cast<double>(a.firstCycle);
    span.end = static_cast<double>(a.lastCycle) + 1;
    span.texts.reserve(static_cast<qsizetype>(a.texts.size()));
    for (const std::string& text : a.texts)
        span.texts.push_back(QString::fromStdString(text));
    span.colour = DecodedRows::classColour(a.annotationClass);
    return span;
}

} // namespace

QRgb DecodedRows::classColour(int annotationClass) {
    const auto size = static_cast<int>(palette.size());
    return palette[static_cast<std::size_t>(((annotationClass % size) + size) % size)];
}

bool DecodedRows::takeIn(std::size_t from, std::size_t to) {
    if (seen_.size() != store_->rowCount())
        seen_.resize(store_->rowCount(), false);
    bool appeared = false;
    for (std::size_t i = from; i < to; ++i) {
        const std::size_t row = (*store_)[i].storeRow;
        if (row >= seen_.size() || seen_[row])
            continue;
        seen_[row] = true;
        shown_.insert(std::upper_bound(shown_.begin(), shown_.end(), row), row);
        appeared = true;
    }
    return appeared;
}

void DecodedRows::reset() {
    seen_.clear();
    shown_.clear();
}

int DecodedRows::rowCount() const {
    return static_cast<int>(shown_.size());
}

QString DecodedRows::rowName(int row) const {
    const decode::StoreRow& r = store_->row(shown_[static_cast<std::size_t>(row)]);
    return QString::fromStdString(r.decoderName) + QStringLiteral(": ") +
           QString::fromStdString(r.description);
}

void DecodedRows::forEachSpan(int row, double from, double to, double unitsPerPixel,
                              const SpanVisitor& visit) const {
    if (to <= 0 || to <= from)
        return;
    if (unitsPerPixel <= 1) {
        const auto first = static_cast<std::uint64_t>(std::max(0.0, std::floor(from)));
        const auto last = static_cast<std::uint64_t>(std::max(0.0, std::ceil(to) - 1));
        visitAll(row, first, last, visit);
        return;
    }
    visitByColumn(row, from, to, unitsPerPixel, visit);
}

void DecodedRows::visitAll(int row, std::uint64_t first, std::uint64_t last,
                           const SpanVisitor& visit) const {
    store_->forEachOverlapping(
        shown_[static_cast<std::size_t>(row)], first, last,
        [&visit](std::size_t, const decode::Annotation& a) { visit(spanOf(a)); });
}

// Each column asks for the annotations on its one cycle; what was found covers the columns up
// to its end, which are not asked again.
void DecodedRows::visitByColumn(int row, double from, double to, double unitsPerPixel,
                                const SpanVisitor& visit) const {
    double column = std::max(0.0, from);
    while (column < to) {
        const auto cycle = static_cast<std::uint64_t>(column);
        std::uint64_t reached = cycle;
        store_->forEachOverlapping(shown_[static_cast<std::size_t>(row)], cycle, cycle,
                                   [&](std::size_t, const decode::Annotation& a) {
                                       visit(spanOf(a));
                                       reached = std::max(reached, a.lastCycle);
                                   });
        column = std::max(column + unitsPerPixel, static_cast<double>(reached) + 1);
    }
}

} // namespace voltarix::diagram17::decoding
