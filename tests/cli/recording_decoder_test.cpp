#include "cli/recording_decoder.h"
#include "diagram17/cycle_times.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace voltarix::cli {
namespace {

// What was written to a stream in memory.
struct WrittenText {
    WrittenText() : stream(open_memstream(&buffer, &size)) {}
    ~WrittenText() {
        std::fclose(stream);
        std::free(buffer);
    }
    std::string text() {
        std::fflush(stream);
        return std::string(buffer, size);
    }
    char* buffer = nullptr;
    std::size_t size = 0;
    std::FILE* stream;
};

constexpr std::uint32_t pin15 = 1u << 4; // trace 4
constexpr std::uint64_t bitUs = 104;     // 9600 baud, near enough

// A recording of serial bytes on pin 15, a cycle a microsecond from time
// 5000 us on, idle high between them.
void recordSerial(diagram17::CycleTimes& times, const std::string& bytes) {
    std::uint64_t us = 0;
    times.record(us, 5'000 + us, pin15);
    us += 2'000;
    for (const char c : bytes) {
        std::vector<bool> bits{false};
        for (int b = 0; b < 8; ++b)
            bits.push_back(((static_cast<unsigned char>(c) >> b) & 1u) != 0);
        bits.push_back(true);
        for (const bool bit : bits) {
            times.record(us, 5'000 + us, bit ? pin15 : 0);
            us += bitUs;
        }
        us += 500;
    }
    times.record(us, 5'000 + us, pin15);
}

TEST(RecordingDecoder, ALineGivesTimeFromTheFirstCycleDecoderRowAndText) {
    decode::Annotation annotation;
    annotation.startUs = 1'005'125.0;
    annotation.endUs = 1'006'166.5;
    annotation.texts = {"V"};
    decode::StoreRow row;
    row.decoderId = "uart";
    row.rowId = "rx-data";
    EXPECT_EQ(RecordingDecoder::lineOf(annotation, row, 5'000),
              "1.000125-1.001167 uart rx-data: V");
    row.rowId.clear();
    EXPECT_EQ(RecordingDecoder::lineOf(annotation, row, 5'000), "1.000125-1.001167 uart: V");
}

// The real library and its uart decoder over a recording made by hand.
TEST(RecordingDecoder, DecodesTheRecordingWithTheInstalledDecoders) {
    RecordingDecoder decoder;
    ASSERT_EQ(decoder.prepare({"uart:rx=Pin15:baudrate=9600:format=ascii"}), std::nullopt);
    diagram17::CycleTimes times;
    recordSerial(times, "OK");
    WrittenText out;
    WrittenText errors;
    EXPECT_TRUE(decoder.decode(times, out.stream, errors.stream));
    EXPECT_EQ(errors.text(), "");
    std::string data;
    std::size_t lines = 0;
    const std::string text = out.text();
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find('\n', start);
        const std::string line = text.substr(start, end - start);
        ++lines;
        // The row holds the start and stop bits too; the bytes are the
        // one-letter texts.
        const std::size_t at = line.find(" uart rx-data: ");
        if (at != std::string::npos && line.size() == at + 16)
            data += line.substr(at + 15);
        start = end + 1;
    }
    EXPECT_EQ(data, "OK") << text;
    EXPECT_GT(lines, 2u) << "every row of the top decoder, as sigrok-cli shows them";
}

// Ctrl+C while a long recording decodes: it ends at once with what it has,
// every line whole.
TEST(RecordingDecoder, AStopEndsTheDecodingEarlyWithWholeLines) {
    RecordingDecoder decoder;
    ASSERT_EQ(decoder.prepare({"uart:rx=15:baudrate=9600:format=ascii"}), std::nullopt);
    diagram17::CycleTimes times;
    recordSerial(times, std::string(20'000, 'U'));
    WrittenText out;
    int asked = 0;
    decoder.decode(times, out.stream, stderr, [&asked] { return ++asked > 0; });
    EXPECT_EQ(asked, 1);
    const std::string text = out.text();
    EXPECT_TRUE(text.empty() || text.back() == '\n');
    EXPECT_LT(std::count(text.begin(), text.end(), 'U'), 20'000) << "it did not decode it all";
}

TEST(RecordingDecoder, AStackThatCannotRunIsRefusedBeforeAnythingIsRecorded) {
    for (const char* text : {"nosuch", "uart:rx=99", "uart:rx=15:baudrate=fast", "uart:rx"}) {
        RecordingDecoder decoder;
        const std::optional<QString> error = decoder.prepare({QString::fromLatin1(text)});
        ASSERT_TRUE(error.has_value()) << text;
        EXPECT_TRUE(error->startsWith(QStringLiteral("--decode %1: ").arg(text)))
            << error->toStdString();
        EXPECT_GT(error->size(), QString::fromLatin1(text).size() + 12) << "with the reason";
    }
    RecordingDecoder none;
    EXPECT_EQ(none.prepare({}), std::nullopt);
    diagram17::CycleTimes times;
    WrittenText out;
    EXPECT_TRUE(none.decode(times, out.stream, stderr));
    EXPECT_EQ(out.text(), "");
}

} // namespace
} // namespace voltarix::cli
