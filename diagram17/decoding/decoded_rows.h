#pragma once

#include "chart/annotation_rows.h"

#include <QRgb>

#include <cstdint>
#include <vector>

namespace voltarix::decode {
class AnnotationStore;
}

namespace voltarix::diagram17::decoding {

// The decoders' annotations as the chart's annotation rows: one row per row of each decoder,
// named by the decoder and the row, each annotation in the colour of its class. The store is
// read while the decoding thread appends to it.
//
// Where a pixel holds more than a cycle, annotations are looked up at one cycle per pixel
// column (and an annotation found spans on to its end), so that a page costs its pixels, not
// the annotations on it; one that fits between two columns' cycles is too narrow to show.
class DecodedRows : public chart::AnnotationRows {
public:
    explicit DecodedRows(const decode::AnnotationStore& store) : store_(&store) {}

    // Only rows that hold an annotation are shown, in the store's order: a decoder declares
    // rows for lines it may not be given (UART's TX when only RX is connected). Takes in the
    // store's annotations from `from` on; true when a row appeared.
    bool takeIn(std::size_t from, std::size_t to);
    // The store was emptied or started again, or is another one now.
    void reset();
    void setStore(const decode::AnnotationStore& store) {
        store_ = &store;
        reset();
    }

    // The store rows shown, in the order of the chart's rows.
    const std::vector<std::size_t>& storeRows() const { return shown_; }

    int rowCount() const override;
    QString rowName(int row) const override;
    void forEachSpan(int row, double from, double to, double unitsPerPixel,
                     const SpanVisitor& visit) const override;

    static QRgb classColour(int annotationClass);

private:
    void visitAll(int row, std::uint64_t first, std::uint64_t last, const SpanVisitor& visit) const;
    void visitByColumn(int row, double from, double to, double unitsPerPixel,
                       const SpanVisitor& visit) const;

    const decode::AnnotationStore* store_;
    std::vector<bool> seen_;
    std::vector<std::size_t> shown_; // store rows, ascending
};

} // namespace voltarix::diagram17::decoding
