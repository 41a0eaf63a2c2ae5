#include "plain_level_rows.h"

#include "chart/chart_error.h"
#include "chart/level_rows.h"

#include <gtest/gtest.h>

#include <array>
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

// A steady recording costs a few chunks and nothing per row; a run of a hundred rows costs two
// or three bytes; a row unlike the one before it, as when every line toggles every cycle, a
// byte and a half, block summaries included.
TEST(LevelRows, MemoryGrowsWithChangesNotWithRows) {
    const QRgb colours[17] = {};
    LevelRows steady(17);
    constexpr std::int64_t n = 20'000'000;
    for (std::int64_t i = 0; i < n; ++i)
        steady.append(0x155u, PointLabel::number(i + 1), colours);
    EXPECT_LT(steady.memoryBytes(), 30'000u);
    EXPECT_EQ(steady.runCount(), 1);

    LevelRows changing(17);
    constexpr std::int64_t changes = 1'000'000;
    for (std::int64_t i = 0; i < changes * 100; ++i)
        changing.append(static_cast<std::uint32_t>(i / 100), PointLabel::number(i + 1), colours);
    EXPECT_EQ(changing.runCount(), changes);
    EXPECT_LT(static_cast<double>(changing.memoryBytes()) / changes, 3.5);

    LevelRows toggling(17);
    for (std::int64_t i = 0; i < changes; ++i)
        toggling.append(i % 2 ? 0x1ffffu : 0u, PointLabel::number(i + 1), colours);
    const double perRun = static_cast<double>(toggling.memoryBytes()) / changes;
    EXPECT_LE(perRun, 1.75);
    EXPECT_GE(perRun, 1.0) << "a run costs its code at least: is everything counted?";
}

// Runs of every length around the one-byte limit of a step's code and far past it, changes
// that repeat lately or never, and all 32 traces, read back as they went in, in any order.
TEST(LevelRows, RunsOfAnyLengthAndChangeReadBackInAnyOrder) {
    std::mt19937_64 rng(21);
    const QRgb colours[32] = {};
    LevelRows rows(32);
    std::vector<std::uint32_t> plain;
    const std::array<std::uint32_t, 5> recent = {0x1u, 0x80000000u, 0x3u, 0xffffffffu, 0x10u};
    std::uint32_t levels = 0;
    for (int run = 0; run < 6000; ++run) {
        const int kind = static_cast<int>(rng() % 4);
        levels ^= kind == 0 ? static_cast<std::uint32_t>(rng()) | 1u : recent[rng() % 5];
        const std::int64_t length = run % 500 == 7 ? 200'000 + static_cast<std::int64_t>(rng() % 9)
                                    : run % 3 == 0 ? 60 + run % 8 // 60..67: around 63 and 64
                                                   : 1 + static_cast<std::int64_t>(rng() % 140);
        for (std::int64_t i = 0; i < length; ++i) {
            rows.append(levels, PointLabel::number(1), colours);
            plain.push_back(levels);
        }
    }
    ASSERT_EQ(rows.runCount(), 6000);
    const auto size = static_cast<std::int64_t>(plain.size());
    // Forwards, backwards and at random: a read starts where the last one ended.
    for (std::int64_t row = 0; row < size; row += 1 + row % 97)
        ASSERT_EQ(rows.levels(row), plain[static_cast<std::size_t>(row)]) << row;
    for (std::int64_t row = size - 1; row >= 0; row -= 1 + row % 89)
        ASSERT_EQ(rows.levels(row), plain[static_cast<std::size_t>(row)]) << row;
    for (int q = 0; q < 20000; ++q) {
        const auto row = static_cast<std::int64_t>(rng() % static_cast<std::uint64_t>(size));
        ASSERT_EQ(rows.levels(row), plain[static_cast<std::size_t>(row)]) << row;
    }
    std::int64_t first = 0;
    for (std::int64_t run = 0; run < rows.runCount(); ++run) {
        ASSERT_EQ(rows.runFirst(run), first) << run;
        ASSERT_EQ(rows.runOf(first), run);
        ASSERT_EQ(rows.runLevels(run), plain[static_cast<std::size_t>(first)]);
        while (first < size && plain[static_cast<std::size_t>(first)] == rows.runLevels(run))
            ++first;
    }
    EXPECT_EQ(first, size);
}

// What a read remembers belongs to the rows as they were: rows appended after it, some
// continuing the last run and some starting new ones, read back right.
TEST(LevelRows, ReadsBetweenAppendsSeeTheNewRows) {
    const QRgb colours[17] = {};
    LevelRows rows(17);
    std::vector<std::uint32_t> plain;
    std::mt19937 rng(3);
    for (int round = 0; round < 3000; ++round) {
        const auto levels = static_cast<std::uint32_t>(rng() % 4);
        for (int i = static_cast<int>(rng() % 4); i >= 0; --i) {
            rows.append(levels, PointLabel::number(1), colours);
            plain.push_back(levels);
        }
        const auto size = static_cast<std::int64_t>(plain.size());
        ASSERT_EQ(rows.levels(size - 1), plain.back()) << round;
        const std::int64_t back = std::max<std::int64_t>(0, size - 1 - round % 7);
        ASSERT_EQ(rows.levels(back), plain[static_cast<std::size_t>(back)]) << round;
        const LevelSeen seen = rows.seen(back, size, rows.traceMask());
        ASSERT_EQ(seen.high, bruteSeen(plain, back, size).high) << round;
        std::int64_t runs = 0;
        rows.forEachRun(0, size, [&runs](std::int64_t, std::int64_t, std::uint32_t) { ++runs; });
        ASSERT_EQ(runs, rows.runCount());
    }
}

// A capture appends a run of equal samples at once: the rows read back as if appended one by
// one, labels counting on or repeating, and the store holds exactly as much.
TEST(LevelRows, RowsRepeatedAtOnceReadAsRowsAppendedOneByOne) {
    std::mt19937 rng(8);
    const QRgb colours[17] = {};
    LevelRows atOnce(17);
    LevelRows oneByOne(17);
    testing::PlainLevelRows plain(17);
    const QString texts[2] = {QStringLiteral("12:00:01"), QStringLiteral("12:00:02")};
    std::int64_t number = 1;
    for (int run = 0; run < 2000; ++run) {
        const auto levels = static_cast<std::uint32_t>(rng() % 8);
        const std::int64_t count =
            1 + static_cast<std::int64_t>(rng() % (run % 10 == 0 ? 5000 : 4));
        const bool numbered = rng() % 3 != 0;
        const PointLabel label =
            numbered ? PointLabel::number(number) : PointLabel::text(texts[rng() % 2]);
        atOnce.append(levels, label, colours);
        atOnce.repeatLast(count - 1);
        for (std::int64_t i = 0; i < count; ++i) {
            const PointLabel each = numbered ? PointLabel::number(number + i) : label;
            oneByOne.append(levels, each, colours);
            plain.append(levels, each, colours);
        }
        number += count + static_cast<std::int64_t>(rng() % 2); // now and then a number left out
    }
    ASSERT_EQ(atOnce.size(), plain.size());
    for (std::int64_t row = 0; row < plain.size(); ++row) {
        ASSERT_EQ(atOnce.levels(row), plain.levels(row)) << row;
        ASSERT_EQ(atOnce.label(row), plain.label(row)) << row;
    }
    EXPECT_EQ(atOnce.runCount(), oneByOne.runCount());
    EXPECT_EQ(atOnce.labels().runCount(), oneByOne.labels().runCount());
    EXPECT_EQ(atOnce.memoryBytes(), oneByOne.memoryBytes());
}

} // namespace
} // namespace voltarix::chart
