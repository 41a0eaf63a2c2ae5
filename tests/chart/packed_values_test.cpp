#include "chart/packed_values.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace voltarix::chart {
namespace {

// The reference: the plain minimum and maximum over a slice of a plain vector.
std::pair<double, double> bruteRange(const std::vector<double>& v, std::int64_t a, std::int64_t b) {
    auto [lo, hi] = std::minmax_element(v.begin() + a, v.begin() + b);
    return {*lo, *hi};
}

void expectRangesMatch(const PackedValues& packed, const std::vector<double>& plain,
                       std::mt19937& rng, int queries) {
    std::uniform_int_distribution<std::int64_t> pick(0, static_cast<std::int64_t>(plain.size()));
    for (int q = 0; q < queries; ++q) {
        std::int64_t a = pick(rng);
        std::int64_t b = pick(rng);
        if (a > b)
            std::swap(a, b);
        if (a == b)
            continue;
        const CodeRange r = packed.range(a, b);
        ASSERT_FALSE(r.empty);
        const auto [lo, hi] = bruteRange(plain, a, b);
        ASSERT_EQ(packed.valueOf(r.minCode), lo) << a << ".." << b;
        ASSERT_EQ(packed.valueOf(r.maxCode), hi) << a << ".." << b;
    }
}

TEST(PackedValues, TwoLevelTraceCostsOneBitPerPointAndReadsBack) {
    PackedValues packed;
    std::vector<double> plain;
    for (int i = 0; i < 100000; ++i) {
        const double y = (i / 3) % 2 ? 7.0 : 5.0;
        packed.append(y);
        plain.push_back(y);
    }
    EXPECT_EQ(packed.bitsPerPoint(), 1u);
    for (int i = 0; i < 100000; i += 997)
        EXPECT_EQ(packed.at(i), plain[i]);
    EXPECT_LT(packed.memoryBytes(), 100000 / 8 + 40000);
}

TEST(PackedValues, WidensWhenMoreDistinctValuesArriveAndKeepsEarlierPoints) {
    PackedValues packed;
    std::vector<double> plain;
    for (int i = 0; i < 5000; ++i) {
        const double y = i < 1000 ? (i % 2) : (i * 37) % 256;
        packed.append(y);
        plain.push_back(y);
    }
    EXPECT_EQ(packed.bitsPerPoint(), 8u);
    for (int i = 0; i < 5000; ++i)
        ASSERT_EQ(packed.at(i), plain[i]) << i;
}

TEST(PackedValues, ValuesComingBackInAnyOrderKeepTheirOwnCodes) {
    // Zero is the bit pattern of an unused cache entry; toggling and three-way changes in and
    // across blocks and words must all read back.
    const double pattern[] = {5, 0, 5, 0, 0, 7, 0, 5, 5, 7, 7, 0};
    PackedValues packed;
    std::vector<double> plain;
    for (int i = 0; i < 3000; ++i) {
        const double y = pattern[(i * 7 + i / 13) % 12];
        packed.append(y);
        plain.push_back(y);
    }
    for (int i = 0; i < 3000; ++i)
        ASSERT_EQ(packed.at(i), plain[i]) << i;
    std::mt19937 rng(3);
    expectRangesMatch(packed, plain, rng, 500);
}

TEST(PackedValues, ManyDistinctValuesStillReadBack) {
    PackedValues packed;
    for (int i = 0; i < 70000; ++i)
        packed.append(i * 0.5);
    EXPECT_EQ(packed.bitsPerPoint(), 32u);
    EXPECT_EQ(packed.at(69999), 69999 * 0.5);
    EXPECT_EQ(packed.at(3), 1.5);
}

TEST(PackedValues, RangeQueriesAgreeWithPlainScanForBitsAndBytes) {
    std::mt19937 rng(7);
    for (int distinct : {2, 3, 200}) {
        PackedValues packed;
        std::vector<double> plain;
        std::uniform_int_distribution<int> value(0, distinct - 1);
        std::uniform_int_distribution<int> runLength(1, 900);
        while (plain.size() < 300000) {
            const double y = value(rng);
            for (int n = runLength(rng); n > 0; --n) {
                packed.append(y);
                plain.push_back(y);
            }
        }
        expectRangesMatch(packed, plain, rng, 3000);
    }
}

TEST(PackedValues, SingleGlitchIsFoundInsideALongSteadyRange) {
    PackedValues packed;
    for (int i = 0; i < 1 << 20; ++i)
        packed.append(i == 700001 ? 3.0 : 1.0);
    CodeRange r = packed.range(0, 1 << 20);
    EXPECT_EQ(packed.valueOf(r.maxCode), 3.0);
    r = packed.range(700001, 700002);
    EXPECT_EQ(packed.valueOf(r.minCode), 3.0);
    r = packed.range(700002, 1 << 20);
    EXPECT_EQ(packed.valueOf(r.maxCode), 1.0);
}

} // namespace
} // namespace voltarix::chart
