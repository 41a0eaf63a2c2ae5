#include "pictures/export/chart_picture.h"
#include "pictures/wmf/wmf_record_writer.h"
#include "sample_charts.h"
#include "wmf_file_reader.h"

#include <QFile>
#include <QFontInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>

namespace voltarix::pictures {
namespace {

using W = WmfRecordWriter;

std::set<std::string> texts(const testkit::WmfFileView& file) {
    std::set<std::string> out;
    for (const auto* r : file.all(W::ExtTextOut))
        out.insert(testkit::extTextOutString(*r));
    return out;
}

// Share of pixels of a that no pixel in the 5 x 5 neighbourhood of the same
// place in b matches within a small colour distance: libwmf rounds its
// device coordinates its own way and may place an edge up to two pixels aside.
double oneWayMismatch(const QImage& a, const QImage& b) {
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    int bad = 0;
    for (int row = 0; row < x.height(); ++row) {
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row);
            bool found = false;
            for (int dy = -2; dy <= 2 && !found; ++dy) {
                for (int dx = -2; dx <= 2 && !found; ++dx) {
                    const QPoint at(col + dx, row + dy);
                    if (!y.rect().contains(at))
                        continue;
                    const QRgb q = y.pixel(at);
                    found = std::abs(qRed(p) - qRed(q)) < 48 &&
                            std::abs(qGreen(p) - qGreen(q)) < 48 &&
                            std::abs(qBlue(p) - qBlue(q)) < 48;
                }
            }
            bad += found ? 0 : 1;
        }
    }
    return static_cast<double>(bad) / (x.width() * x.height());
}

double mismatch(const QImage& a, const QImage& b) {
    return std::max(oneWayMismatch(a, b), oneWayMismatch(b, a));
}

class ChartMetafileTest : public ::testing::Test {
protected:
    // The metafile as libwmf's own converter draws it, at the chart's size.
    QImage drawnByLibwmf(const chart::Chart& chart) {
        const QString converter = QStandardPaths::findExecutable(QStringLiteral("wmf2gd"));
        if (converter.isEmpty()) {
            ADD_FAILURE() << "wmf2gd not found: scripts/deps.sh installs libwmf-bin";
            return {};
        }
        const QString wmf = dir_.filePath(QStringLiteral("page.wmf"));
        const QString png = dir_.filePath(QStringLiteral("page.png"));
        saveChartPicture(chart, wmf, PictureFormat::Metafile);
        QProcess process;
        process.start(converter, {QStringLiteral("--maxwidth=%1").arg(chart.width()),
                                  QStringLiteral("--maxheight=%1").arg(chart.height()),
                                  QStringLiteral("--maxsize"), QStringLiteral("-t"),
                                  QStringLiteral("png"), QStringLiteral("-o"), png, wmf});
        EXPECT_TRUE(process.waitForFinished(30000));
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        return QImage(png);
    }

    QTemporaryDir dir_;
};

TEST_F(ChartMetafileTest, RecordsOfBothChartsAreWellFormed) {
    for (const auto& chart : {testkit::makeTraceChart(57), testkit::makeRegisterChart(20)}) {
        const auto file = testkit::readWmf(chartMetafile(*chart));
        EXPECT_TRUE(file.faults.empty()) << file.faults.front();
        EXPECT_EQ(file.key, W::placeableKey);
        EXPECT_EQ(file.checksum, file.computedChecksum);
        EXPECT_EQ(file.right - file.left, chart->width());
        EXPECT_EQ(file.bottom - file.top, chart->height());
        EXPECT_EQ(file.inch, chart->logicalDpiY());
        EXPECT_EQ(file.objects, file.slotsUsed);
        EXPECT_EQ(file.maxRecord, file.largestRecord);
        ASSERT_FALSE(file.all(W::SetWindowExt).empty());
        EXPECT_EQ(file.all(W::SetWindowExt).front()->param(1), chart->width());
        EXPECT_TRUE(file.all(W::StretchDib).empty()); // vectors, not a picture of the screen
    }
}

TEST_F(ChartMetafileTest, TracesAreLinesAndLabelsAreTextInTheChartsFont) {
    const auto chart = testkit::makeTraceChart(57);
    const auto file = testkit::readWmf(chartMetafile(*chart));
    EXPECT_GE(file.all(W::Polyline).size(), 17u);
    const std::set<std::string> labels = texts(file);
    for (const char* label : {"1", "11", "21", "31"})
        EXPECT_TRUE(labels.contains(label)) << label;
    const auto fonts = file.all(W::CreateFontIndirect);
    ASSERT_FALSE(fonts.empty());
    EXPECT_EQ(testkit::fontFaceName(*fonts.front()),
              QFontInfo(chart->font()).family().toStdString());
    EXPECT_EQ(-fonts.front()->param(0), QFontInfo(chart->font()).pixelSize());
}

// libwmf's SVG converter reads the same file: every line and every label comes out.
TEST_F(ChartMetafileTest, LibwmfSvgConverterReadsEveryLineAndLabel) {
    const QString converter = QStandardPaths::findExecutable(QStringLiteral("wmf2svg"));
    ASSERT_FALSE(converter.isEmpty()) << "wmf2svg not found: scripts/deps.sh installs libwmf-bin";
    const auto chart = testkit::makeTraceChart(57);
    const QString wmf = dir_.filePath(QStringLiteral("page.wmf"));
    const QString svg = dir_.filePath(QStringLiteral("page.svg"));
    saveChartPicture(*chart, wmf, PictureFormat::Metafile);
    QProcess process;
    process.start(converter, {QStringLiteral("-o"), svg, wmf});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0);
    QFile file(svg);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    const auto records = testkit::readWmf(chartMetafile(*chart));
    EXPECT_EQ(text.count("<polyline"), static_cast<qsizetype>(records.all(W::Polyline).size()));
    for (const char* label : {">1<", ">2<", ">3<"}) // labels come out a character apiece
        EXPECT_TRUE(text.contains(label)) << label;
}

TEST_F(ChartMetafileTest, LibwmfDrawsTheTraceChartAsTheScreenShowsIt) {
    const auto chart = testkit::makeTraceChart(57);
    const QImage drawn = drawnByLibwmf(*chart);
    ASSERT_EQ(drawn.size(), chart->size());
    const double same = mismatch(chart->toImage(), drawn);
    chart->bottomAxis().scroll(5);
    const double other = mismatch(chart->toImage(), drawn);
    std::printf("trace chart: %.4f of pixels differ, %.4f against the next view\n", same, other);
    EXPECT_LT(same, 0.015);
    EXPECT_GT(other, 2 * same);
}

// Eight cycles: the 3D boxes stand behind one another back to front, and of
// thin boxes libwmf's rounding leaves whole edges a pixel or two aside.
TEST_F(ChartMetafileTest, LibwmfDrawsTheRegisterChartAsTheScreenShowsIt) {
    const auto chart = testkit::makeRegisterChart(8, {434, 200});
    const QImage drawn = drawnByLibwmf(*chart);
    ASSERT_EQ(drawn.size(), chart->size());
    const double same = mismatch(chart->toImage(), drawn);
    chart->bottomAxis().scroll(3);
    const double other = mismatch(chart->toImage(), drawn);
    std::printf("register chart: %.4f of pixels differ, %.4f against a view 3 cycles on\n", same,
                other);
    EXPECT_LT(same, 0.045);
    EXPECT_GT(other, 2 * same);
}

// The gaps between the labels of the bottom axis in a metafile: what is
// wrong with them, or nothing.
std::string bottomLabelFaults(const testkit::WmfFileView& file, int width) {
    std::vector<const testkit::WmfRecordView*> labels = file.all(W::ExtTextOut);
    if (labels.empty())
        return "no labels";
    const auto y = [](const testkit::WmfRecordView* r) { return testkit::extTextOutY(*r); };
    const auto x = [](const testkit::WmfRecordView* r) { return testkit::extTextOutX(*r); };
    const int lowest = y(*std::max_element(labels.begin(), labels.end(),
                                           [&](auto* a, auto* b) { return y(a) < y(b); }));
    std::erase_if(labels, [&](auto* r) { return y(r) != lowest; });
    std::sort(labels.begin(), labels.end(), [&](auto* a, auto* b) { return x(a) < x(b); });
    std::string faults;
    for (std::size_t i = 1; i < labels.size(); ++i) {
        const int gap =
            x(labels[i]) - (x(labels[i - 1]) + testkit::extTextOutWidth(*labels[i - 1]));
        if (gap < 3)
            faults += testkit::extTextOutString(*labels[i - 1]) + " " +
                      testkit::extTextOutString(*labels[i]) + " " + std::to_string(gap) + "; ";
    }
    if (x(labels.back()) + testkit::extTextOutWidth(*labels.back()) > width)
        faults += testkit::extTextOutString(*labels.back()) + " leaves the page";
    return faults;
}

// An exported page places its labels as the screen does: 20,001 cycles on
// one page, and no two labels of the bottom axis run into one another.
TEST(ChartMetafile, TheBottomLabelsOfAFullPageKeepApart) {
    auto chart = testkit::makeTraceChart(20001);
    chart->model().setMaxPointsPerPage(0);
    for (int width = 300; width <= 900; width += 9) {
        chart->resize(width, 395);
        EXPECT_EQ(bottomLabelFaults(testkit::readWmf(chartMetafile(*chart)), width), "")
            << width << " px";
    }
}

} // namespace
} // namespace voltarix::pictures
