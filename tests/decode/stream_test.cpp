// The uniform stream and the way samples find their cycles and times again.

#include "decode/cycle_map.h"
#include "decode/recording_source.h"
#include "decode/sample_clock.h"
#include "decode/sample_rate.h"
#include "decode/uniform_stream.h"
#include "diagram17/cycle_times.h"
#include "diagram17/decoding/recording_source.h"
#include "recordings.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace voltarix::decode {
namespace {

using ::testing::ElementsAre;

// Every sample of the stream, as pin words, and the chunks it came in.
struct Collected {
    std::vector<std::uint32_t> samples;
    std::vector<std::pair<std::uint64_t, std::size_t>> chunks;
    std::vector<const std::uint8_t*> buffers;

    UniformStream::Sink sink() {
        return [this](std::uint64_t start, const std::uint8_t* bytes, std::size_t count) {
            EXPECT_EQ(start, samples.size());
            chunks.emplace_back(start, count);
            buffers.push_back(bytes);
            for (std::size_t i = 0; i < count; ++i, bytes += 3)
                samples.push_back(bytes[0] | bytes[1] << 8 |
                                  static_cast<std::uint32_t>(bytes[2]) << 16);
        };
    }
};

TEST(UniformStream, HoldsEachEntryUntilTheNextAsTheDumpRouteDoes) {
    Collected out;
    UniformStream stream(SampleClock(1000, 1'000'000), out.sink());
    stream.add({0, 1000, 0x1});
    stream.add({3, 1003, 0x2});
    // Two entries in one microsecond: the later one's levels, as in the dump.
    stream.add({4, 1005, 0x10000});
    stream.add({5, 1005, 0x3});
    stream.add({9, 1007, 0x1FFFF});
    stream.flush();
    EXPECT_THAT(out.samples, ElementsAre(0x1, 0x1, 0x1, 0x2, 0x2, 0x3, 0x3));
    EXPECT_EQ(stream.end(), 7u);
    // The last entry has no samples until another comes.
    stream.add({10, 1008, 0x0});
    stream.flush();
    EXPECT_THAT(out.samples, ::testing::Contains(0x1FFFF));
    EXPECT_EQ(out.samples.size(), 8u);
}

TEST(UniformStream, SendsLongRunsAsRepeatedChunksOfBoundedSize) {
    Collected out;
    // 3 MHz, a 100 ms run: 300 000 samples.
    UniformStream stream(SampleClock(0, 3'000'000), out.sink());
    stream.add({0, 0, 0x5});
    stream.add({1, 10, 0x6});
    stream.add({2, 100'010, 0x7});
    stream.add({3, 100'011, 0x7});
    stream.flush();
    ASSERT_EQ(out.samples.size(), 300'033u);
    EXPECT_EQ(out.samples[29], 0x5u);
    EXPECT_EQ(out.samples[30], 0x6u);
    EXPECT_EQ(out.samples[300'029], 0x6u);
    EXPECT_EQ(out.samples[300'030], 0x7u);
    std::size_t repeated = 0;
    for (std::size_t c = 0; c < out.chunks.size(); ++c) {
        EXPECT_LE(out.chunks[c].second, UniformStream::kChunkSamples);
        if (c > 0 && out.buffers[c] == out.buffers[c - 1])
            ++repeated;
    }
    EXPECT_GE(repeated, 1u);
}

TEST(SampleClock, MapsTimesToSamplesAndBack) {
    const SampleClock clock(5'000'000, 3'000'000);
    EXPECT_EQ(clock.sampleOf(5'000'000), 0u);
    EXPECT_EQ(clock.sampleOf(4'000'000), 0u);
    EXPECT_EQ(clock.sampleOf(5'000'001), 3u);
    EXPECT_DOUBLE_EQ(clock.timeOf(3), 5'000'001.0);
    EXPECT_EQ(clock.lastTimeAtOrBefore(5), 5'000'001u);
    const SampleClock slow(0, 300);
    EXPECT_EQ(slow.sampleOf(1), 1u); // a time inside a sample starts at the next one
    EXPECT_EQ(slow.sampleOf(3'333), 1u);
    EXPECT_EQ(slow.sampleOf(3'334), 2u);
    EXPECT_EQ(slow.lastTimeAtOrBefore(1), 3'333u);
    // Hours of a fast recording stay exact.
    const SampleClock fast(0, 100'000'000);
    EXPECT_EQ(fast.sampleOf(36'000'000'000), 3'600'000'000'000u);
}

TEST(SampleRate, TakesTheMedianCyclePeriodOfMicrosecondTimes) {
    std::vector<SourceEntry> entries;
    // Three cycles a microsecond, times in whole microseconds, with a pause among them.
    for (std::uint64_t c = 0; c < 300'000; c += 7)
        entries.push_back({c, c / 3 + (c > 150'000 ? 40'000 : 0), static_cast<std::uint32_t>(c)});
    EXPECT_EQ(SampleRate::derive(entries), 3'000'000u);
    EXPECT_EQ(SampleRate::derive({}), SampleRate::kFallbackHz);
    const std::vector<SourceEntry> still{{0, 7, 0}, {10, 7, 1}};
    EXPECT_EQ(SampleRate::derive(still), SampleRate::kFallbackHz);
    const std::vector<SourceEntry> short_{{0, 0, 0}, {21, 10, 1}};
    EXPECT_EQ(SampleRate::derive(short_), 2'100'000u);
    EXPECT_EQ(SampleRate::roundToThreeDigits(47'614.2), 47'600u);
    EXPECT_EQ(SampleRate::roundToThreeDigits(2'994'999.0), 2'990'000u);
    EXPECT_EQ(SampleRate::roundToThreeDigits(0.2), 1u);
}

TEST(CycleMap, SpreadsTheCyclesBetweenEntriesOverTheirSamples) {
    diagram17::CycleTimes times;
    // An entry every 10 cycles at 1 us a cycle for a long while.
    for (std::uint64_t c = 0; c < 1'000'000; c += 10)
        times.record(c, 1000 + c,
                     testing::traceLevelsOfPins(static_cast<std::uint32_t>(c / 10) & 1));
    diagram17::CycleTimesSource source(times);
    const SampleClock clock(1000, 2'000'000);
    CycleMap map(source, clock);
    std::vector<SourceEntry> entries(times.size());
    ASSERT_EQ(source.read(0, entries), entries.size());
    for (const SourceEntry& entry : entries)
        map.add(entry, clock.sampleOf(entry.timeUs));
    // Two samples a cycle.
    EXPECT_EQ(map.cycleAt(0), 0u);
    EXPECT_EQ(map.cycleAt(1), 0u);
    EXPECT_EQ(map.cycleAt(2), 1u);
    EXPECT_EQ(map.cycleAt(799'979), 399'989u);
    // Past the entries kept at hand the recording is searched.
    ASSERT_LT(CycleMap::kHistory, entries.size());
    EXPECT_EQ(map.cycleAt(13), 6u);
    EXPECT_EQ(map.cycleAt(200'001), 100'000u);
    EXPECT_EQ(map.cycleAt(200'000), 100'000u);
    EXPECT_EQ(map.cycleAt(199'999), 99'999u);
}

TEST(CycleTimesSource, GivesPinsInPinOrderAndFindsTimes) {
    diagram17::CycleTimes times;
    for (std::uint64_t c = 0; c < 20'000; ++c)
        times.record(c, 50 + c / 2, testing::traceLevelsOfPins(1u << (c % 17)));
    diagram17::CycleTimesSource source(times);
    ASSERT_EQ(source.size(), 20'000u);
    std::vector<SourceEntry> entries(3);
    ASSERT_EQ(source.read(0, entries), 3u);
    EXPECT_EQ(entries[0], (SourceEntry{0, 50, 0x1}));
    EXPECT_EQ(entries[2], (SourceEntry{2, 51, 0x4}));
    // Reading elsewhere and going on where the last read stopped.
    ASSERT_EQ(source.read(17'000, entries), 3u);
    EXPECT_EQ(entries[0].cycle, 17'000u);
    ASSERT_EQ(source.read(3, entries), 3u);
    EXPECT_EQ(entries[0].cycle, 3u);
    EXPECT_EQ(source.read(19'999, entries), 1u);
    EXPECT_EQ(source.read(20'000, entries), 0u);

    EXPECT_EQ(source.lastAtOrBefore(49), RecordingSource::npos);
    EXPECT_EQ(source.lastAtOrBefore(50), 1u);
    EXPECT_EQ(source.lastAtOrBefore(5'000), 9'901u);
    EXPECT_EQ(source.lastAtOrBefore(1'000'000), 19'999u);
    for (std::uint32_t pins = 1; pins < (1u << 17); pins = pins * 3 + 1)
        EXPECT_EQ(
            diagram17::CycleTimesSource::pinsOfLevels(testing::traceLevelsOfPins(pins & 0x1FFFF)),
            pins & 0x1FFFF);
}

} // namespace
} // namespace voltarix::decode
