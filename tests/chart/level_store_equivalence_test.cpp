// The run store of the level traces against the plainest store there is, on random recordings:
// every row, every range and every painted page must come out the same.
#include "plain_level_rows.h"
#include "random_recording.h"

#include "chart/chart_model.h"
#include "chart/chart_renderer.h"
#include "chart/level_rows.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <random>
#include <vector>

namespace voltarix::chart {
namespace {

using testing::PlainLevelRows;
using testing::RandomRecording;

constexpr int kTraces = RandomRecording::kTraces;

struct BothStores {
    LevelRows runs{kTraces};
    PlainLevelRows plain{kTraces};
};

std::unique_ptr<BothStores> record(unsigned seed, std::int64_t rows) {
    auto both = std::make_unique<BothStores>();
    RandomRecording(seed).play(
        rows, [&](std::uint32_t levels, const PointLabel& label, const QRgb* colours) {
            both->runs.append(levels, label, colours);
            both->plain.append(levels, label, colours);
        });
    return both;
}

// Bounds that matter most sit right at the edges of runs, so half the queries start or end
// within two rows of one; the rest are anywhere, some past either end.
std::pair<std::int64_t, std::int64_t> randomBounds(std::mt19937_64& rng, const LevelRows& runs) {
    const std::int64_t n = runs.size();
    auto anyRow = [&] { return std::uniform_int_distribution<std::int64_t>(-3, n + 3)(rng); };
    auto nearEdge = [&] {
        const auto run = std::uniform_int_distribution<std::int64_t>(0, runs.runCount() - 1)(rng);
        return runs.runFirst(run) + std::uniform_int_distribution<std::int64_t>(-2, 2)(rng);
    };
    std::int64_t a = rng() % 2 ? nearEdge() : anyRow();
    std::int64_t b = rng() % 4 == 0 ? a + static_cast<std::int64_t>(rng() % 70) : anyRow();
    if (a > b)
        std::swap(a, b);
    return {a, b};
}

TEST(LevelStoreEquivalence, EveryRowReadsBackItsLevelsLabelAndColours) {
    for (unsigned seed : {1u, 2u, 3u}) {
        const auto both = record(seed, (1 << 20) + 12345);
        const LevelRows& runs = both->runs;
        const PlainLevelRows& plain = both->plain;
        ASSERT_EQ(runs.size(), plain.size());
        for (std::int64_t row = 0; row < plain.size(); ++row) {
            ASSERT_EQ(runs.levels(row), plain.levels(row)) << "seed " << seed << " row " << row;
            ASSERT_EQ(runs.label(row), plain.label(row)) << "seed " << seed << " row " << row;
            for (int k = 0; k < kTraces; ++k)
                ASSERT_EQ(runs.colour(k, row), plain.colour(k, row)) << seed << " " << row;
        }
        EXPECT_EQ(runs.levels(plain.size()), 0u) << "past the last row";
        EXPECT_EQ(runs.label(plain.size()), QString());
        EXPECT_GT(runs.runCount(), 1000) << "dense stretches";
        EXPECT_LT(runs.runCount(), plain.size() * 3 / 4) << "and long runs";
    }
}

TEST(LevelStoreEquivalence, RangesShowTheLevelsOfTheirRowsAtRandomBounds) {
    std::mt19937_64 rng(77);
    for (unsigned seed : {4u, 5u}) {
        const auto both = record(seed, 700000);
        const LevelRows& runs = both->runs;
        for (int q = 0; q < 1500; ++q) {
            const auto [first, last] = randomBounds(rng, runs);
            const int kind = q % 3;
            const std::uint32_t traces = kind == 0   ? runs.traceMask()
                                         : kind == 1 ? 1u << (rng() % kTraces)
                                                     : static_cast<std::uint32_t>(rng());
            const LevelSeen got = runs.seen(first, last, traces);
            const LevelSeen want = both->plain.seen(first, last);
            ASSERT_EQ(got.high & traces, want.high & traces) << first << ".." << last;
            ASSERT_EQ(got.low & traces, want.low & traces) << first << ".." << last;
        }
        const LevelSeen all = both->plain.seen(0, runs.size());
        EXPECT_EQ(runs.seenAll().high, all.high);
        EXPECT_EQ(runs.seenAll().low & runs.traceMask(), all.low & runs.traceMask());
    }
}

// Runs are what an exporter of changes reads: maximal, in order, covering every row once.
TEST(LevelStoreEquivalence, RunsWalkTheRowsChangeByChange) {
    std::mt19937_64 rng(9);
    const auto both = record(6, 900000);
    const LevelRows& runs = both->runs;
    const PlainLevelRows& plain = both->plain;
    std::int64_t changes = 0;
    for (std::int64_t row = 1; row < plain.size(); ++row)
        changes += plain.levels(row) != plain.levels(row - 1);
    EXPECT_EQ(runs.runCount(), changes + 1);
    for (int q = 0; q < 300; ++q) {
        const auto [first, last] = randomBounds(rng, runs);
        std::int64_t next = std::max<std::int64_t>(first, 0);
        std::uint32_t previous = ~0u;
        runs.forEachRun(first, last, [&](std::int64_t from, std::int64_t end, std::uint32_t lv) {
            ASSERT_EQ(from, next);
            ASSERT_LT(from, end);
            ASSERT_NE(lv, previous) << "a run ends where the levels change";
            for (std::int64_t row = from; row < end; ++row)
                ASSERT_EQ(plain.levels(row), lv) << row;
            next = end;
            previous = lv;
        });
        const std::int64_t clampedFirst = std::max<std::int64_t>(first, 0);
        const std::int64_t clampedLast = std::min(last, plain.size());
        EXPECT_EQ(next, clampedFirst < clampedLast ? clampedLast : clampedFirst);
        if (first < last && first >= 0 && first < plain.size()) {
            EXPECT_LE(runs.runFirst(runs.runOf(first)), first);
        }
    }
}

// Two charts set up alike: one records through the level traces, the other keeps each trace
// as an ordinary stair series with storage of its own.
class PaintedPagesTest : public ::testing::Test {
protected:
    PaintedPagesTest() {
        setUp(levels_);
        setUp(plain_);
        std::vector<TraceLevels> traces;
        for (int k = 0; k < kTraces; ++k) {
            const QString name = QStringLiteral("Series%1").arg(k + 4);
            traces.push_back({name, 4.0 * k + 1, 4.0 * k + 3});
            plain_.addSeries(SeriesKind::Line, name).setStairs(true);
        }
        levels_.addLevelTraces(traces);
        RandomRecording(8).play(
            kRows, [&](std::uint32_t lv, const PointLabel& label, const QRgb* colours) {
                levels_.appendLevels(lv, label, std::span<const QRgb>(colours, kTraces));
                for (int k = 0; k < kTraces; ++k)
                    plain_.appendPoint(k, 4.0 * k + ((lv >> k) & 1 ? 3 : 1), label, colours[k]);
            });
    }

    static void setUp(ChartModel& model) {
        model.setBackColour(Qt::black);
        model.setGridColour(QColor(70, 70, 70));
        model.leftAxis().setMinMax(0, 70);
        model.leftAxis().setVisible(false);
        model.bottomAxis().setIncrement(10);
        model.setScaleLastPage(false);
        model.setChart3DPercent(55);
    }

    // Applies the same view to both charts.
    template <typename View> void view(View apply) {
        apply(levels_);
        apply(plain_);
    }

    static QImage paint(const ChartModel& model) {
        QImage image(800, 400, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter painter(&image);
        ChartRenderer::render(model, painter, image.rect());
        return image;
    }

    // The pictures are compared whole; that they show traces at all is checked too, so that
    // two empty pictures cannot pass.
    void expectSamePicture(const char* what) {
        const QImage picture = paint(levels_);
        EXPECT_TRUE(picture == paint(plain_)) << what;
        EXPECT_GT(traceColouredPixels(picture), 40) << what;
    }

    static int traceColouredPixels(const QImage& image) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y) {
            const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x)
                count += qRed(line[x]) == 255 || qGreen(line[x]) == 255;
        }
        return count;
    }

    static constexpr std::int64_t kRows = 400000;
    ChartModel levels_;
    ChartModel plain_;
};

TEST_F(PaintedPagesTest, PagesOfFortyCyclesAnywhereArePixelIdentical) {
    std::mt19937_64 rng(10);
    view([](ChartModel& m) { m.setMaxPointsPerPage(40); });
    for (int p = 0; p < 40; ++p) {
        const auto first = static_cast<double>(rng() % (kRows + 40)) - 20;
        view([&](ChartModel& m) { m.bottomAxis().setMinMax(first, first + 39); });
        expectSamePicture("page of 40");
    }
}

TEST_F(PaintedPagesTest, WideSpansDrawnPerPixelColumnArePixelIdentical) {
    std::mt19937_64 rng(11);
    view([](ChartModel& m) { m.setMaxPointsPerPage(0); });
    expectSamePicture("all points on one page");
    for (double width : {1000.0, 5000.0, 100000.0}) {
        for (int p = 0; p < 6; ++p) {
            const auto first = static_cast<double>(rng() % kRows) - width / 2;
            view([&](ChartModel& m) { m.bottomAxis().setMinMax(first, first + width); });
            expectSamePicture("wide span");
        }
    }
}

TEST_F(PaintedPagesTest, HiddenTracesAndTheThreeDimensionalViewArePixelIdentical) {
    view([](ChartModel& m) {
        for (int k = 0; k < kTraces; k += 3)
            m.series(k).setActive(false);
        m.bottomAxis().setMinMax(123456, 123495);
    });
    expectSamePicture("some traces hidden");
    view([](ChartModel& m) { m.setView3D(true); });
    expectSamePicture("3D page of 40");
    view([](ChartModel& m) { m.bottomAxis().setMinMax(0, kRows); });
    expectSamePicture("3D, all points");
}

} // namespace
} // namespace voltarix::chart
