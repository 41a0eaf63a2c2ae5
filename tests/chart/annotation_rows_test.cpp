#include "chart/annotation_painter.h"
#include "chart/annotation_rows.h"
#include "chart/chart_model.h"
#include "chart/chart_renderer.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <vector>

namespace voltarix::chart {
namespace {

constexpr QRgb kAqua = 0xff00ffff;
constexpr QRgb kBlack = 0xff000000;
constexpr QRgb kPink = 0xffeda4d6;
constexpr QRgb kGreen = 0xff9ce38a;
constexpr QRgb kFrame = 0xfff0f0f0; // the chart's own colour around the plot

// Rows held in memory, which remember what the chart asked of them.
class MemoryRows : public AnnotationRows {
public:
    struct Row {
        QString name;
        std::vector<AnnotationSpan> spans;
    };
    struct Ask {
        int row;
        double from;
        double to;
        double unitsPerPixel;
    };

    int rowCount() const override { return static_cast<int>(rows.size()); }
    QString rowName(int row) const override { return rows[static_cast<std::size_t>(row)].name; }
    void forEachSpan(int row, double from, double to, double unitsPerPixel,
                     const SpanVisitor& visit) const override {
        asked.push_back({row, from, to, unitsPerPixel});
        for (const AnnotationSpan& s : rows[static_cast<std::size_t>(row)].spans) {
            if (s.end > from && s.start < to)
                visit(s);
        }
    }

    std::vector<Row> rows;
    mutable std::vector<Ask> asked;
};

class AnnotationRowsTest : public ::testing::Test {
protected:
    AnnotationRowsTest() {
        model_.setMargins({0, 0, 0, 0});
        model_.setBackColour(Qt::black);
        model_.setAxisColour(Qt::black);
        model_.leftAxis().setMinMax(0, 10);
        model_.leftAxis().setVisible(false);
        model_.bottomAxis().setMinMax(0, 40);
        model_.bottomAxis().setGridVisible(false);
        ChartSeries& s = model_.addSeries(SeriesKind::Line);
        s.setStairs(true);
        for (int i = 0; i < 100; ++i)
            s.appendPoint(i % 8 < 4 ? 2 : 8, PointLabel::number(i + 1), kAqua);
    }

    QImage render(int width = 400, int height = 200) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter painter(&image);
        frame_ = ChartRenderer::render(model_, painter, image.rect());
        return image;
    }

    static QRgb at(const QImage& image, double x, double y) {
        return image.pixel(static_cast<int>(x), static_cast<int>(y)) | 0xff000000;
    }

    void twoRows() {
        rows_.rows = {{"UART: RX data",
                       {{4, 14, {"Data: 0x56", "56", "V"}, kPink},
                        {16, 26, {"Data: 0x4F", "4F", "O"}, kPink}}},
                      {"UART: RX bits", {{4, 5, {"0"}, kGreen}, {5, 6, {"1"}, kGreen}}}};
        model_.setAnnotationRows(&rows_);
    }

    ChartModel model_;
    MemoryRows rows_;
    std::optional<ChartFrame> frame_;
};

// No decoder chosen: the chart is drawn exactly as one that knows no annotations.
TEST_F(AnnotationRowsTest, NoRowsLeaveTheChartPixelForPixelAsItWas) {
    const QImage plain = render();
    model_.setAnnotationRows(&rows_); // holds no row
    EXPECT_EQ(render(), plain);
    twoRows();
    EXPECT_NE(render(), plain);
    model_.setAnnotationRows(nullptr);
    EXPECT_EQ(render(), plain);
}

// The band lies right under the traces, the cycle labels under the band, the names at the
// left; the plot gives up the room, and the x of a span is the x of its cycles' stairs.
TEST_F(AnnotationRowsTest, RowsStandUnderThePlotAlignedToTheCyclesTheyCover) {
    const QImage plain = render();
    const ChartFrame before = *frame_;
    twoRows();
    const QImage image = render();
    const ChartFrame& f = *frame_;
    ASSERT_EQ(f.annotationRowCount(), 2);
    EXPECT_LT(f.plot().bottom(), before.plot().bottom() - 2 * f.annotationRowHeight() + 1);
    EXPECT_GT(f.plot().left(), before.plot().left() + 20);
    const QRectF data = f.annotationRow(0);
    const QRectF bits = f.annotationRow(1);
    EXPECT_DOUBLE_EQ(data.top(), f.plot().bottom());
    EXPECT_DOUBLE_EQ(bits.top(), data.bottom());

    // Inside a box, above its text: its fill.
    const double dataFill = data.top() + 3;
    const double bitsFill = bits.top() + 3;
    EXPECT_EQ(at(image, f.x().toPixel(4) + 3, dataFill), kPink);
    EXPECT_EQ(at(image, f.x().toPixel(13.5), dataFill), kPink);
    EXPECT_EQ(at(image, f.x().toPixel(15), dataFill), kBlack); // between the two
    EXPECT_EQ(at(image, f.x().toPixel(16) + 3, dataFill), kPink);
    EXPECT_EQ(at(image, f.x().toPixel(3.5), dataFill), kBlack);
    EXPECT_EQ(at(image, f.x().toPixel(9), bitsFill), kBlack);
    EXPECT_EQ(at(image, f.x().toPixel(4) + 2, bitsFill), kGreen);
    EXPECT_EQ(at(image, f.x().toPixel(5) + 2, bitsFill), kGreen);
    // The box's edges are its cycles' stairs: the trace steps up at x 4 too.
    EXPECT_EQ(at(image, f.x().toPixel(4) - 2, dataFill), kBlack);

    // Names are written on the chart's own colour left of the band; the text of a span in it.
    const auto inkIn = [&image](double x0, double x1, double y, QRgb background) {
        int ink = 0;
        for (double x = x0; x < x1; ++x)
            ink += at(image, x, y) != background ? 1 : 0;
        return ink;
    };
    EXPECT_GT(inkIn(0, f.plot().left() - 2, data.center().y(), kFrame), 10);
    EXPECT_GT(inkIn(0, f.plot().left() - 2, bits.center().y(), kFrame), 10);
    EXPECT_EQ(inkIn(0, f.plot().left() - 2, data.top() + 1, kFrame), 0);
    EXPECT_GT(inkIn(f.x().toPixel(4) + 3, f.x().toPixel(14) - 3, data.center().y(), kPink), 10);
    // The cycle labels went below the band.
    int labelInk = 0;
    for (int x = 0; x < image.width(); ++x) {
        for (int y = static_cast<int>(bits.bottom()) + 1; y < image.height(); ++y)
            labelInk += at(image, x, y) != kFrame ? 1 : 0;
    }
    EXPECT_GT(labelInk, 20);
    EXPECT_NE(plain, image);
}

// The chart asks for the page only: what lies before or after it is never walked.
TEST_F(AnnotationRowsTest, OnlyThePageIsAskedFor) {
    twoRows();
    model_.bottomAxis().setMinMax(1'000'000, 1'000'040);
    render();
    ASSERT_EQ(rows_.asked.size(), 2u);
    for (const MemoryRows::Ask& ask : rows_.asked) {
        EXPECT_DOUBLE_EQ(ask.from, 1'000'000);
        EXPECT_DOUBLE_EQ(ask.to, 1'000'040);
        EXPECT_NEAR(ask.unitsPerPixel, 40.0 / (frame_->plot().width() - 1), 1e-9);
    }
}

TEST_F(AnnotationRowsTest, SpanStartedOnAnEarlierPageKeepsItsTextOnThisOne) {
    rows_.rows = {{"SPI: MOSI", {{-100, 20, {"Long transfer"}, kPink}}}};
    model_.setAnnotationRows(&rows_);
    const QImage image = render();
    const QRectF lane = frame_->annotationRow(0);
    EXPECT_EQ(at(image, frame_->plot().left() + 1, lane.top() + 3), kPink);
    int textInk = 0;
    for (double x = frame_->plot().left() + 2; x < frame_->x().toPixel(20) - 2; ++x)
        textInk += at(image, x, lane.center().y()) != kPink ? 1 : 0;
    EXPECT_GT(textInk, 10);
    // Nothing of it spills into the names.
    EXPECT_NE(at(image, frame_->plot().left() - 3, lane.top() + 3), kPink);
}

TEST(AnnotationText, LongestThatFitsThenTheShortestShortenedThenNothing) {
    QImage image(10, 10, QImage::Format_RGB32);
    QPainter painter(&image);
    const QFontMetricsF m(painter.font());
    const QStringList texts{"Data: 0x56", "56", "V"};
    EXPECT_EQ(AnnotationPainter::fittingText(texts, m.horizontalAdvance("Data: 0x56"), m),
              "Data: 0x56");
    EXPECT_EQ(AnnotationPainter::fittingText(texts, m.horizontalAdvance("Data: 0x56") - 1, m),
              "56");
    EXPECT_EQ(AnnotationPainter::fittingText(texts, m.horizontalAdvance("V"), m), "V");
    EXPECT_EQ(AnnotationPainter::fittingText(texts, m.horizontalAdvance("V") / 2, m), "");
    const QStringList single{"Start bit error"};
    const QString shortened =
        AnnotationPainter::fittingText(single, m.horizontalAdvance("Start b…"), m);
    EXPECT_TRUE(shortened.startsWith("Start")) << shortened.toStdString();
    EXPECT_TRUE(shortened.endsWith(QChar(0x2026)));
    EXPECT_EQ(AnnotationPainter::fittingText({}, 100, m), "");
}

} // namespace
} // namespace voltarix::chart
