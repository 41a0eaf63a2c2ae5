#include "chart/chart_error.h"
#include "chart/level_rows.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace voltarix::chart {
namespace {

constexpr QRgb kAqua = 0xff00ffff;
constexpr QRgb kRed = 0xffff0000;

LevelSeen bruteSeen(const std::vector<std::uint32_t>& rows, std::int64_t first, std::int64_t last) {
    LevelSeen seen;
    for (std::int64_t i = first; i < last; ++i)
        seen.add(rows[static_cast<std::size_t>(i)]);
    return seen;
}

TEST(LevelRows, RowsReadBackWithSharedLabelsAndPerTraceColours) {
    LevelRows rows(3);
    QRgb colours[3] = {kAqua, kAqua, kAqua};
    const QString text = QStringLiteral("12:00:01");
    for (std::int64_t i = 0; i < 200000; ++i) {
        colours[1] = i < 1000 ? kAqua : kRed;
        const auto levels = static_cast<std::uint32_t>((i * 2654435761u) >> 7);
        if (i < 150000)
            rows.append(levels, PointLabel::number(i + 1), colours);
        else
            rows.append(levels, PointLabel::text(text), colours);
    }
    ASSERT_EQ(rows.size(), 200000);
    for (std::int64_t i : {0, 1, 65535, 65536, 65537, 131072, 199999}) {
        const auto expected = static_cast<std::uint32_t>((i * 2654435761u) >> 7) & 7u;
        EXPECT_EQ(rows.levels(i), expected) << i;
    }
    EXPECT_EQ(rows.label(0), "1");
    EXPECT_EQ(rows.label(149999), "150000");
    EXPECT_EQ(rows.label(150000), text);
    EXPECT_EQ(rows.labels().runCount(), 2u) << "one label per row, not per trace";
    EXPECT_EQ(rows.colour(1, 999), kAqua);
    EXPECT_EQ(rows.colour(1, 1000), kRed);
    EXPECT_EQ(rows.colour(2, 199999), kAqua);
    EXPECT_EQ(rows.colour(2, 200000), 0u) << "past the last row";
    EXPECT_EQ(rows.colours(0).runs().size(), 1u);
    EXPECT_EQ(rows.colours(1).runs().size(), 2u) << "unchanged traces gain no runs";
}

TEST(LevelRows, KeepsOnlyTheBitsOfItsTracesAndRefusesOtherCounts) {
    const QRgb colours[32] = {};
    LevelRows three(3);
    three.append(0xffffffffu, PointLabel::number(1), colours);
    EXPECT_EQ(three.levels(0), 7u);
    EXPECT_EQ(three.seenAll().low & three.traceMask(), 0u) << "no trace was ever low";
    LevelRows all(32);
    all.append(0x80000001u, PointLabel::number(1), colours);
    EXPECT_EQ(all.levels(0), 0x80000001u);
    EXPECT_THROW(LevelRows(0), ChartError);
    EXPECT_THROW(LevelRows(33), ChartError);
}

TEST(LevelRows, SeenAgreesWithAPlainScanForOneTraceAndForAll) {
    std::mt19937 rng(11);
    LevelRows rows(17);
    const QRgb colours[17] = {};
    std::vector<std::uint32_t> plain;
    std::uniform_int_distribution<std::uint32_t> word(0, (1u << 17) - 1);
    std::uniform_int_distribution<int> runLength(1, 3000);
    while (plain.size() < 400000) {
        const std::uint32_t levels = word(rng);
        for (int n = runLength(rng); n > 0; --n) {
            rows.append(levels, PointLabel::number(1), colours);
            plain.push_back(levels);
        }
    }
    std::uniform_int_distribution<std::int64_t> pick(0, static_cast<std::int64_t>(plain.size()));
    std::uniform_int_distribution<int> bit(0, 16);
    for (int q = 0; q < 3000; ++q) {
        std::int64_t a = pick(rng);
        std::int64_t b = pick(rng);
        if (a > b)
            std::swap(a, b);
        const std::uint32_t traces = q % 2 ? rows.traceMask() : 1u << bit(rng);
        const LevelSeen got = rows.seen(a, b, traces);
        const LevelSeen want = bruteSeen(plain, a, b);
        ASSERT_EQ(got.high & traces, want.high & traces) << a << ".." << b;
        ASSERT_EQ(got.low & traces, want.low & traces) << a << ".." << b;
    }
}

TEST(LevelRows, AOneRowGlitchShowsInEveryRangeHoldingIt) {
    LevelRows rows(17);
    const QRgb colours[17] = {};
    constexpr std::int64_t n = 1 << 20;
    constexpr std::int64_t glitch = 700001;
    for (std::int64_t i = 0; i < n; ++i) {
        // Trace 5 is low but for one row; trace 2 high but for the same row.
        const std::uint32_t levels = i == glitch ? 1u << 5 : 1u << 2;
        rows.append(levels, PointLabel::number(i), colours);
    }
    constexpr std::uint32_t t5 = 1u << 5;
    constexpr std::uint32_t t2 = 1u << 2;
    for (auto [first, last] : {std::pair<std::int64_t, std::int64_t>{0, n},
                               {glitch, glitch + 1},
                               {glitch - 12345, glitch + 1},
                               {glitch, n},
                               {glitch - 31, glitch + 33}}) {
        const LevelSeen seen = rows.seen(first, last, t5 | t2);
        EXPECT_TRUE(seen.high & t5) << first << ".." << last;
        EXPECT_TRUE(seen.low & t2) << first << ".." << last;
    }
    EXPECT_FALSE(rows.seen(0, glitch, t5).high & t5);
    EXPECT_FALSE(rows.seen(glitch + 1, n, t5).high & t5);
    EXPECT_FALSE(rows.seen(glitch, glitch + 1, t5).low & t5);
    EXPECT_EQ(rows.seen(-5, 0, t5).high | rows.seen(n, n + 9, t5).low, 0u) << "outside the rows";
}

// A steady recording costs its pages (8 bytes per 65,536 rows) and nothing per row; every
// change costs about 6 bytes; a row unlike the one before it, however many, never more than 8.
TEST(LevelRows, MemoryGrowsWithChangesNotWithRows) {
    const QRgb colours[17] = {};
    LevelRows steady(17);
    constexpr std::int64_t n = 20'000'000;
    for (std::int64_t i = 0; i < n; ++i)
        steady.append(0x155u, PointLabel::number(i + 1), colours);
    EXPECT_LT(steady.memoryBytes(), 60'000u);
    EXPECT_EQ(steady.runCount(), 1);

    LevelRows changing(17);
    constexpr std::int64_t changes = 1'000'000;
    for (std::int64_t i = 0; i < changes * 100; ++i)
        changing.append(static_cast<std::uint32_t>(i / 100), PointLabel::number(i + 1), colours);
    EXPECT_EQ(changing.runCount(), changes);
    EXPECT_LT(static_cast<double>(changing.memoryBytes()) / changes, 7.0);

    LevelRows toggling(17);
    for (std::int64_t i = 0; i < changes; ++i)
        toggling.append(i % 2 ? 0x1ffffu : 0u, PointLabel::number(i + 1), colours);
    EXPECT_LE(static_cast<double>(toggling.memoryBytes()) / changes, 8.0);
}

} // namespace
} // namespace voltarix::chart
