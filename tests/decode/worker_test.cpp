// The worker decoding a recording while it grows, starting afresh, and going on past a
// decoder that fails.

#include "decode_catalog.h"
#include "decode_run.h"
#include "recordings.h"

#include "decode/decode_worker.h"
#include "diagram17/decoding/recording_source.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <thread>

namespace voltarix::decode {
namespace {

using ::testing::HasSubstr;

constexpr std::uint64_t kCaptureStartNs = 900'000'000'000;
constexpr double kCycleNs = 1000.0 / 3.0;
constexpr std::uint64_t kSourceOffsetNs = 700'000'000;

std::uint32_t simulated(std::uint64_t ns) {
    return testing::simulatedPins(ns + kSourceOffsetNs, 1200);
}

bool sameAnnotation(const Annotation& a, const Annotation& b) {
    return a.firstCycle == b.firstCycle && a.lastCycle == b.lastCycle &&
           a.startSample == b.startSample && a.endSample == b.endSample && a.stack == b.stack &&
           a.layer == b.layer && a.storeRow == b.storeRow &&
           a.annotationClass == b.annotationClass && a.texts == b.texts && a.startUs == b.startUs &&
           a.endUs == b.endUs;
}

std::string allData(const AnnotationStore& store, int stack = 0) {
    std::string text;
    for (std::size_t i = 0; i < store.size(); ++i) {
        if (store[i].stack == stack && store[i].annotationClass == 0)
            text += store[i].text();
    }
    return text;
}

// One stack's annotations in the order it gave them; stacks interleave in the store a chunk of
// samples at a time, so only each stack's own order is the same however the stream was cut.
template <typename Annotations>
std::vector<Annotation> ofStack(const Annotations& annotations, std::size_t count, int stack) {
    std::vector<Annotation> result;
    for (std::size_t i = 0; i < count; ++i) {
        if (annotations[i].stack == stack)
            result.push_back(annotations[i]);
    }
    return result;
}

TEST(DecodeWorker, DecodesWhileTheRecordingGrowsAsItWouldTheFinishedOne) {
    DecodeSettings settings;
    settings.stacks = {testing::stackOf("uart:rx=15:baudrate=1200:format=ascii"),
                       testing::stackOf("uart:rx=15:baudrate=1200:format=hex")};
    diagram17::CycleTimes growing;
    diagram17::CycleTimesSource source(growing);
    DecodeWorker worker(testing::catalog());
    worker.start(source, settings);
    EXPECT_TRUE(worker.running());
    EXPECT_EQ(worker.sampleRateHz(), 0u);

    // The capture's thread appends a second and a half in slices of 20 ms, as a capture would;
    // the worker reads alongside it.
    std::thread capture([&growing] {
        testing::PacedRecording recording(growing, kCycleNs, kCaptureStartNs);
        const std::uint64_t slice = 60'000;
        for (int i = 0; i < 75; ++i) {
            recording.record(slice, simulated);
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });
    capture.join();
    EXPECT_FALSE(worker.finished());
    worker.finishRecording();
    ASSERT_TRUE(worker.waitFinished(std::chrono::minutes(1)));
    EXPECT_TRUE(worker.finished());
    EXPECT_FALSE(worker.running());
    EXPECT_TRUE(worker.takeErrors().empty());
    EXPECT_EQ(worker.sampleRateHz(), 3'000'000u);
    EXPECT_EQ(worker.entriesDecoded(), growing.size());
    EXPECT_GT(worker.cycleReached(), 4'400'000u);
    EXPECT_EQ(allData(worker.annotations()).substr(0, 8), "VOLTARIX");

    EXPECT_EQ(allData(worker.annotations(), 1).substr(0, 16), "564F4C5441524958");

    const std::vector<Annotation> whole = testing::decodeRecording(growing, settings);
    ASSERT_EQ(worker.annotations().size(), whole.size());
    for (int stack = 0; stack < 2; ++stack) {
        const std::vector<Annotation> followed =
            ofStack(worker.annotations(), worker.annotations().size(), stack);
        const std::vector<Annotation> finished = ofStack(whole, whole.size(), stack);
        ASSERT_EQ(followed.size(), finished.size());
        for (std::size_t i = 0; i < followed.size(); ++i)
            EXPECT_TRUE(sameAnnotation(followed[i], finished[i])) << stack << ": " << i;
    }
}

TEST(DecodeWorker, StartsAfreshForNewSettingsOrANewRecording) {
    diagram17::CycleTimes first;
    testing::PacedRecording(first, kCycleNs, kCaptureStartNs).record(1'500'000 * 3 / 2, simulated);
    diagram17::CycleTimesSource firstSource(first);
    DecodeWorker worker(testing::catalog());

    DecodeSettings ascii;
    ascii.stacks = {testing::stackOf("uart:rx=15:baudrate=1200:format=ascii")};
    ascii.sampleRateHz = 2'000'000;
    worker.start(firstSource, ascii);
    worker.finishRecording();
    ASSERT_TRUE(worker.waitFinished(std::chrono::minutes(1)));
    EXPECT_EQ(worker.sampleRateHz(), 2'000'000u);
    EXPECT_EQ(allData(worker.annotations()), "VOLTARIX");
    ASSERT_EQ(worker.annotations().rowCount(),
              testing::catalog().find("uart")->annotationRows.size());
    EXPECT_EQ(worker.annotations().row(1).rowId, "rx-data");
    EXPECT_EQ(worker.annotations().row(1).decoderName, "UART");

    // Other settings: the old annotations and rows go, the new decoding fills the store.
    DecodeSettings hex = ascii;
    hex.stacks = {testing::stackOf("uart:rx=15:baudrate=1200:format=hex"),
                  testing::stackOf("i2c:scl=2:sda=3")};
    worker.start(firstSource, hex);
    EXPECT_FALSE(worker.finished());
    worker.finishRecording();
    ASSERT_TRUE(worker.waitFinished(std::chrono::minutes(1)));
    EXPECT_EQ(allData(worker.annotations()), "564F4C5441524958");
    EXPECT_EQ(worker.annotations().rowCount(),
              testing::catalog().find("uart")->annotationRows.size() +
                  testing::catalog().find("i2c")->annotationRows.size());

    // A new run: an empty recording that grows anew.
    diagram17::CycleTimes second;
    diagram17::CycleTimesSource secondSource(second);
    worker.start(secondSource, ascii);
    EXPECT_TRUE(worker.annotations().empty());
    testing::PacedRecording(second, kCycleNs, kCaptureStartNs + 5'000'000'000)
        .record(1'500'000 * 3 / 2, simulated);
    worker.finishRecording();
    ASSERT_TRUE(worker.waitFinished(std::chrono::minutes(1)));
    EXPECT_EQ(allData(worker.annotations()), "VOLTARIX");
    EXPECT_EQ(worker.annotations()[0].startUs > 5e6 + kCaptureStartNs / 1000, true);

    worker.stop();
    EXPECT_TRUE(worker.annotations().empty());
    EXPECT_FALSE(worker.running());
}

TEST(DecodeWorker, AnEmptyRecordingFinishesWithNothing) {
    diagram17::CycleTimes empty;
    diagram17::CycleTimesSource source(empty);
    DecodeWorker worker(testing::catalog());
    DecodeSettings settings;
    settings.stacks = {testing::stackOf("uart:rx=15")};
    worker.start(source, settings);
    worker.finishRecording();
    ASSERT_TRUE(worker.waitFinished(std::chrono::seconds(10)));
    EXPECT_TRUE(worker.annotations().empty());
    EXPECT_TRUE(worker.takeErrors().empty());
}

TEST(DecodeWorker, ADecoderThatRaisesStopsOnlyItsStackAndIsReportedOnce) {
    diagram17::CycleTimes times;
    testing::PacedRecording(times, kCycleNs, kCaptureStartNs).record(3'000'000 * 3 / 2, simulated);
    diagram17::CycleTimesSource source(times);
    DecodeSettings settings;
    settings.stacks = {testing::stackOf(std::string(testing::FaultyDecoder::id) + ":line=15"),
                       testing::stackOf("uart:rx=15:baudrate=1200:format=ascii"),
                       testing::stackOf("uart:rx=15:baudrate=0")};
    DecodeWorker worker(testing::catalog());
    worker.start(source, settings);
    worker.finishRecording();
    ASSERT_TRUE(worker.waitFinished(std::chrono::minutes(1)));

    std::vector<DecodeError> errors = worker.takeErrors();
    ASSERT_EQ(errors.size(), 2u);
    // The rejected setting is found when the stacks start, the exception later.
    EXPECT_EQ(errors[0].stack, 2);
    EXPECT_EQ(errors[0].decoderId, "uart");
    EXPECT_THAT(errors[0].message, HasSubstr("ZeroDivisionError"));
    EXPECT_EQ(errors[1].stack, 0);
    EXPECT_EQ(errors[1].decoderId, testing::FaultyDecoder::id);
    EXPECT_THAT(errors[1].message, HasSubstr(testing::FaultyDecoder::exceptionText));
    EXPECT_THAT(errors[1].message, HasSubstr("остановлен"));
    EXPECT_TRUE(worker.takeErrors().empty());
    EXPECT_FALSE(worker.stackActive(0));
    EXPECT_TRUE(worker.stackActive(1));
    EXPECT_FALSE(worker.stackActive(2));

    // What the faulty decoder gave before it raised stays; the UART stack went on.
    int edges = 0;
    std::string text;
    for (std::size_t i = 0; i < worker.annotations().size(); ++i) {
        const Annotation& annotation = worker.annotations()[i];
        if (annotation.stack == 0)
            ++edges;
        if (annotation.stack == 1 && annotation.annotationClass == 0)
            text += annotation.text();
    }
    EXPECT_EQ(edges, 1);
    EXPECT_EQ(text, "VOLTARIXVOLTARIX");
}

} // namespace
} // namespace voltarix::decode
