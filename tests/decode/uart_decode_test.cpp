// The simulated port's serial line decoded by the UART decoder, and the same recording
// exported as a change dump and decoded by sigrok-cli: the two agree.

#include "decode_run.h"
#include "recordings.h"

#include "decode/sample_clock.h"
#include "diagram17/vcd_writer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>

namespace voltarix::decode {
namespace {

using ::testing::ElementsAreArray;

// A capture's clock is the system's monotonic one: far from 0.
constexpr std::uint64_t kCaptureStartNs = 7'123'456'789'000;
// Three million cycles a second, the pace of a capture of the simulated port.
constexpr double kCycleNs = 1000.0 / 3.0;
// The capture starts 0.2 s into the source's second, so the frames of 1 s, 2 s and 3 s are
// whole in it.
constexpr std::uint64_t kSourceOffsetNs = 200'000'000;

void recordSimulated(diagram17::CycleTimes& times, double seconds, int baud) {
    testing::PacedRecording recording(times, kCycleNs, kCaptureStartNs);
    recording.record(
        static_cast<std::uint64_t>(seconds * 1e9 / kCycleNs),
        [baud](std::uint64_t ns) { return testing::simulatedPins(ns + kSourceOffsetNs, baud); });
}

std::string joined(const std::vector<std::string>& texts) {
    std::string text;
    for (const std::string& piece : texts)
        text += piece;
    return text;
}

DecodeSettings uartSettings(std::uint64_t rateHz = 0, int baud = 1200) {
    DecodeSettings settings;
    settings.stacks = {
        testing::stackOf("uart:rx=15:baudrate=" + std::to_string(baud) + ":format=ascii")};
    settings.sampleRateHz = rateHz;
    return settings;
}

std::string exportDump(const diagram17::CycleTimes& times) {
    char pattern[] = "/tmp/voltarix-dump-XXXXXX";
    const char* folder = mkdtemp(pattern);
    EXPECT_NE(folder, nullptr);
    const std::string path = std::string(folder) + "/capture.vcd";
    std::ofstream out(path);
    diagram17::VcdWriter::writeRecording(out, times, "today", "VOLTARIX test");
    return path;
}

struct SigrokAnnotation {
    std::uint64_t start;
    std::uint64_t end;
    std::string text;
};

// "123-456 uart-1: V"
std::vector<SigrokAnnotation> sigrokUart(const std::string& dump, int baud) {
    int status = 0;
    const std::vector<std::string> lines = testing::runSigrok(
        "-I vcd -i " + dump + " -P uart:rx=Pin15:baudrate=" + std::to_string(baud) +
            ":format=ascii -A uart=rx-data --protocol-decoder-samplenum",
        status);
    EXPECT_EQ(status, 0) << (lines.empty() ? std::string("no output") : lines.front());
    const std::regex line(R"((\d+)-(\d+) uart-1: (.*))");
    std::vector<SigrokAnnotation> annotations;
    for (const std::string& text : lines) {
        std::smatch match;
        if (std::regex_match(text, match, line))
            annotations.push_back({std::stoull(match[1]), std::stoull(match[2]), match[3]});
        else
            ADD_FAILURE() << "sigrok-cli: " << text;
    }
    return annotations;
}

TEST(UartDecode, FindsTheSimulatedTextOnceASecondWhereItWasSent) {
    diagram17::CycleTimes times;
    recordSimulated(times, 3.0, 1200);
    const std::vector<Annotation> annotations = testing::decodeRecording(times, uartSettings());
    const int data = testing::classOf("uart", "rx-data");
    EXPECT_EQ(joined(testing::textsOfClass(annotations, 0, 0, data)), "VOLTARIXVOLTARIXVOLTARIX");

    // Each text starts with its frame, 0.8 s, 1.8 s and 2.8 s into the capture; a character
    // takes ten bits of 1/1200 s, its data eight of them after the start bit.
    std::vector<const Annotation*> characters;
    for (const Annotation& annotation : annotations) {
        if (annotation.annotationClass == data)
            characters.push_back(&annotation);
    }
    ASSERT_EQ(characters.size(), 24u);
    const double originUs = static_cast<double>(kCaptureStartNs) / 1000;
    for (std::size_t c = 0; c < characters.size(); ++c) {
        const Annotation& character = *characters[c];
        const double sentUs = 800'000 + 1e6 * static_cast<double>(c / 8) +
                              (static_cast<double>(c % 8) * 10 + 1) * 1e6 / 1200;
        EXPECT_NEAR(character.startUs - originUs, sentUs, 5) << c;
        EXPECT_NEAR(character.endUs - character.startUs, 8e6 / 1200, 5) << c;
        // The cycles are those of its times: three a microsecond.
        EXPECT_NEAR(static_cast<double>(character.firstCycle), (character.startUs - originUs) * 3,
                    6)
            << c;
        EXPECT_NEAR(static_cast<double>(character.lastCycle), (character.endUs - originUs) * 3, 6)
            << c;
        EXPECT_EQ(character.stack, 0);
        EXPECT_EQ(character.layer, 0);
        EXPECT_EQ(character.decoderRow, 1); // "RX", after "RX bits"
    }
}

TEST(UartDecode, AgreesWithSigrokOnTheExportedDump) {
    diagram17::CycleTimes times;
    recordSimulated(times, 2.5, 1200);
    const std::string dump = exportDump(times);
    const std::vector<SigrokAnnotation> sigrok = sigrokUart(dump, 1200);
    std::vector<std::string> sigrokTexts;
    for (const SigrokAnnotation& annotation : sigrok)
        sigrokTexts.push_back(annotation.text);
    EXPECT_EQ(joined(sigrokTexts), "VOLTARIXVOLTARIX");

    // At the derived rate (three million samples a second here) the text is the same.
    const int data = testing::classOf("uart", "rx-data");
    const std::vector<Annotation> derived = testing::decodeRecording(times, uartSettings());
    EXPECT_THAT(testing::textsOfClass(derived, 0, 0, data), ElementsAreArray(sigrokTexts));

    // At the dump's rate, a microsecond a sample, the very samples are the same.
    const std::vector<Annotation> microseconds =
        testing::decodeRecording(times, uartSettings(1'000'000));
    std::vector<SigrokAnnotation> ours;
    for (const Annotation& annotation : microseconds) {
        if (annotation.annotationClass == data)
            ours.push_back({annotation.startSample, annotation.endSample, annotation.text()});
    }
    ASSERT_EQ(ours.size(), sigrok.size());
    for (std::size_t i = 0; i < ours.size(); ++i) {
        EXPECT_EQ(ours[i].text, sigrok[i].text) << i;
        EXPECT_EQ(ours[i].start, sigrok[i].start) << i;
        EXPECT_EQ(ours[i].end, sigrok[i].end) << i;
    }
    std::filesystem::remove_all(std::filesystem::path(dump).parent_path());
}

TEST(UartDecode, FollowsTheSerialLineAtOtherRates) {
    diagram17::CycleTimes times;
    recordSimulated(times, 1.3, 115200);
    const std::vector<Annotation> annotations =
        testing::decodeRecording(times, uartSettings(0, 115200));
    EXPECT_EQ(joined(testing::textsOfClass(annotations, 0, 0, testing::classOf("uart", "rx-data"))),
              "VOLTARIX");
    // A decoder set to another rate than the line's reads no such text.
    const std::vector<Annotation> wrong = testing::decodeRecording(times, uartSettings(0, 9600));
    EXPECT_EQ(joined(testing::textsOfClass(wrong, 0, 0, testing::classOf("uart", "rx-data")))
                  .find("VOLTARIX"),
              std::string::npos);
}

} // namespace
} // namespace voltarix::decode
