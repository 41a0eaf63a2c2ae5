// The store's range queries against a plain scan, overlaps included, and its readers running
// alongside the appending thread.

#include "decode/annotation_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <thread>

namespace voltarix::decode {
namespace {

std::vector<StoreRow> rows(std::size_t count) {
    std::vector<StoreRow> result;
    for (std::size_t r = 0; r < count; ++r)
        result.push_back({0, 0, "uart", "UART", static_cast<int>(r), "row", "Row"});
    return result;
}

Annotation spanning(std::size_t row, std::uint64_t first, std::uint64_t last) {
    Annotation annotation;
    annotation.storeRow = row;
    annotation.firstCycle = first;
    annotation.lastCycle = last;
    annotation.texts = {std::to_string(first) + "-" + std::to_string(last)};
    return annotation;
}

std::set<std::size_t> queried(const AnnotationStore& store, std::size_t row, std::uint64_t x0,
                              std::uint64_t x1) {
    std::set<std::size_t> found;
    store.forEachOverlapping(row, x0, x1, [&](std::size_t index, const Annotation& annotation) {
        EXPECT_EQ(&annotation, &store[index]);
        EXPECT_TRUE(found.insert(index).second) << "visited twice: " << index;
    });
    return found;
}

std::set<std::size_t> scanned(const AnnotationStore& store, std::size_t row, std::uint64_t x0,
                              std::uint64_t x1) {
    std::set<std::size_t> found;
    for (std::size_t i = 0; i < store.size(); ++i) {
        const Annotation& a = store[i];
        if (a.storeRow == row && a.firstCycle <= x1 && a.lastCycle >= x0)
            found.insert(i);
    }
    return found;
}

TEST(AnnotationStore, FindsWhatARangeTouchesInEveryRowAsAScanWould) {
    std::mt19937_64 rng(20);
    AnnotationStore store;
    store.setRows(rows(3));
    // Row 0: neighbours that meet within a cycle; row 1: long annotations over short ones
    // (a transaction over its bytes); row 2: anything, in any order.
    std::uint64_t cycle = 0;
    for (int i = 0; i < 3000; ++i) {
        const std::uint64_t length = rng() % 50;
        store.append(spanning(0, cycle, cycle + length));
        cycle += length + (rng() % 3 == 0 ? 0 : rng() % 20);
        if (i % 10 == 0)
            store.append(spanning(1, cycle, cycle + 400));
        if (i % 10 < 8)
            store.append(spanning(1, cycle + 5, cycle + 30));
        const std::uint64_t start = rng() % 100'000;
        store.append(spanning(2, start, start + rng() % 3000));
    }
    for (int q = 0; q < 2000; ++q) {
        const std::uint64_t x0 = rng() % 110'000;
        const std::uint64_t x1 = x0 + rng() % (q % 2 ? 50 : 5000);
        for (std::size_t row = 0; row < 3; ++row)
            ASSERT_EQ(queried(store, row, x0, x1), scanned(store, row, x0, x1))
                << "row " << row << " [" << x0 << ", " << x1 << "]";
    }
    EXPECT_TRUE(queried(store, 5, 0, 1'000'000).empty());
    EXPECT_TRUE(queried(store, 0, 10, 9).empty());
}

TEST(AnnotationStore, ATableFindsWhereTheChartIs) {
    AnnotationStore store;
    store.setRows(rows(2));
    for (std::uint64_t c = 0; c < 100; ++c)
        store.append(spanning(c % 2, c * 10, c * 10 + 9));
    EXPECT_EQ(store.firstEndingAtOrAfter(0), 0u);
    EXPECT_EQ(store.firstEndingAtOrAfter(505), 50u);
    EXPECT_EQ(store.firstEndingAtOrAfter(509), 50u);
    EXPECT_EQ(store.firstEndingAtOrAfter(510), 51u);
    EXPECT_EQ(store.firstEndingAtOrAfter(5000), 100u);
}

TEST(AnnotationStore, ClearsAndTakesNewRows) {
    AnnotationStore store;
    store.setRows(rows(1));
    store.append(spanning(0, 1, 2));
    const std::size_t held = store.memoryBytes();
    EXPECT_EQ(store.size(), 1u);
    store.clear();
    EXPECT_TRUE(store.empty());
    EXPECT_TRUE(queried(store, 0, 0, 10).empty());
    EXPECT_LT(store.memoryBytes(), held);
    store.setRows(rows(4));
    EXPECT_EQ(store.rowCount(), 4u);
    store.append(spanning(3, 5, 6));
    EXPECT_EQ(queried(store, 3, 0, 10), std::set<std::size_t>{0});
}

TEST(AnnotationStore, ReadersSeeCompleteAnnotationsWhileItGrows) {
    AnnotationStore store;
    store.setRows(rows(2));
    constexpr std::uint64_t kCount = 200'000;
    std::thread writer([&store] {
        for (std::uint64_t i = 0; i < kCount; ++i)
            store.append(spanning(i % 2, i * 4, i * 4 + 3));
    });
    std::size_t seen = 0;
    while (seen < kCount) {
        const std::size_t size = store.size();
        for (std::size_t i = seen; i < size; ++i) {
            const Annotation& a = store[i];
            ASSERT_EQ(a.firstCycle, i * 4);
            ASSERT_EQ(a.text(), std::to_string(i * 4) + "-" + std::to_string(i * 4 + 3));
        }
        seen = size;
        store.forEachOverlapping(1, 0, UINT64_MAX, [&](std::size_t index, const Annotation& a) {
            ASSERT_EQ(a.storeRow, 1u);
            ASSERT_EQ(a.firstCycle, index * 4);
        });
        EXPECT_GT(store.memoryBytes(), 0u);
        ASSERT_EQ(store.firstEndingAtOrAfter(seen * 4), seen);
    }
    writer.join();
}

} // namespace
} // namespace voltarix::decode
