// SPI and I2C sent on the data pins by a test source, and a decoder stacked on I2C.

#include "decode_run.h"
#include "recordings.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace voltarix::decode {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

constexpr std::uint64_t kCaptureStartNs = 42'000'000'000;
// A slower capture than the simulated port's: a cycle every 0.7 us.
constexpr double kCycleNs = 700;

diagram17::CycleTimes& recordSteps(diagram17::CycleTimes& times, std::vector<testing::Step> steps,
                                   std::uint64_t tailNs) {
    testing::StepPlayer player(std::move(steps));
    testing::PacedRecording recording(times, kCycleNs, kCaptureStartNs);
    const auto cycles =
        static_cast<std::uint64_t>(static_cast<double>(player.endNs() + tailNs) / kCycleNs);
    recording.record(cycles, [&player](std::uint64_t ns) { return player.at(ns); });
    return times;
}

// The last, shortest text of each annotation of a class.
std::vector<std::string> shortTexts(const std::vector<Annotation>& annotations, int stack,
                                    int layer, int annotationClass) {
    std::vector<std::string> texts;
    for (const Annotation& annotation : annotations) {
        if (annotation.stack == stack && annotation.layer == layer &&
            annotation.annotationClass == annotationClass)
            texts.push_back(annotation.texts.back());
    }
    return texts;
}

TEST(BusDecode, SpiOnTheDataPinsGivesTheBytesSent) {
    // CS# on pin 2, clock on 3, MOSI on 4; a bit every 20 us.
    diagram17::CycleTimes times;
    recordSteps(times, testing::spiSteps({0xA5, 0x3C, 0x00, 0xFF, 0x81}, 2, 3, 4, 50'000, 10'000),
                100'000);
    DecodeSettings settings;
    settings.stacks = {testing::stackOf("spi:cs=2:clk=3:mosi=4")};
    const std::vector<Annotation> annotations = testing::decodeRecording(times, settings);
    EXPECT_THAT(shortTexts(annotations, 0, 0, testing::classOf("spi", "mosi-data")),
                ElementsAre("A5", "3C", "00", "FF", "81"));
}

TEST(BusDecode, SpiSettingsChangeWhatIsRead) {
    diagram17::CycleTimes times;
    recordSteps(times, testing::spiSteps({0x01, 0x80}, 2, 3, 4, 50'000, 10'000), 100'000);
    DecodeSettings settings;
    settings.stacks = {testing::stackOf("spi:cs=2:clk=3:mosi=4:bitorder=lsb-first")};
    EXPECT_THAT(shortTexts(testing::decodeRecording(times, settings), 0, 0,
                           testing::classOf("spi", "mosi-data")),
                ElementsAre("80", "01"));
}

TEST(BusDecode, I2cOnTheDataPinsAndAnEepromStackedOnIt) {
    // SCL on pin 5, SDA on pin 6: a write of word address 0x10 and three bytes to 0x50.
    diagram17::CycleTimes times;
    const std::vector<std::uint8_t> written{0x10, 0x11, 0x22, 0x33};
    // The recording goes on past the STOP long enough to keep a cycle after it: the levels of
    // the last kept cycle get no samples, as in the change dump.
    recordSteps(times, testing::i2cWriteSteps(0x50, written, 5, 6, 30'000, 5'000), 5'000'000);
    DecodeSettings settings;
    settings.stacks = {testing::stackOf("i2c:scl=5:sda=6"),
                       testing::stackOf("i2c:scl=5:sda=6,eeprom24xx")};
    const std::vector<Annotation> annotations = testing::decodeRecording(times, settings);

    EXPECT_THAT(shortTexts(annotations, 0, 0, testing::classOf("i2c", "address-write")),
                ElementsAre("W", "50"));
    EXPECT_THAT(shortTexts(annotations, 0, 0, testing::classOf("i2c", "data-write")),
                ElementsAre("10", "11", "22", "33"));
    // The stack's own I2C layer decodes alike.
    EXPECT_THAT(shortTexts(annotations, 1, 0, testing::classOf("i2c", "data-write")),
                ElementsAre("10", "11", "22", "33"));
    // The EEPROM decoder on top sees a page write of the three bytes.
    EXPECT_THAT(shortTexts(annotations, 1, 1, testing::classOf("eeprom24xx", "page-write")),
                ElementsAre("P"));
    std::vector<std::string> bytes;
    for (const Annotation& annotation : annotations) {
        if (annotation.stack == 1 && annotation.layer == 1 &&
            annotation.annotationClass == testing::classOf("eeprom24xx", "data-byte"))
            bytes.push_back(annotation.texts.front());
    }
    EXPECT_EQ(bytes.size(), 3u);
    // The operation covers the whole transfer: its cycles span the others'.
    std::uint64_t firstBusCycle = UINT64_MAX;
    std::uint64_t lastBusCycle = 0;
    const Annotation* operation = nullptr;
    for (const Annotation& annotation : annotations) {
        if (annotation.stack == 1 && annotation.layer == 0) {
            firstBusCycle = std::min(firstBusCycle, annotation.firstCycle);
            lastBusCycle = std::max(lastBusCycle, annotation.lastCycle);
        }
        if (annotation.stack == 1 && annotation.layer == 1 &&
            annotation.annotationClass == testing::classOf("eeprom24xx", "page-write"))
            operation = &annotation;
    }
    ASSERT_NE(operation, nullptr);
    EXPECT_LE(operation->firstCycle, firstBusCycle + 20);
    EXPECT_GE(operation->lastCycle + 20, lastBusCycle);
}

} // namespace
} // namespace voltarix::decode
