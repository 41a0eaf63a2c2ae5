#include "cli/progress_line.h"

#include <gtest/gtest.h>

#include <pty.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

using voltarix::cli::ProgressLine;

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

constexpr std::uint64_t ms = 1'000'000;

} // namespace

TEST(ProgressLine, TimeCyclesAndRate) {
    EXPECT_EQ(ProgressLine::text(3'250 * ms, 1'300'000),
              "Запись: 3,2 с, циклов 1300000, 400000 циклов/с");
    EXPECT_EQ(ProgressLine::text(0, 0), "Запись: 0,0 с, циклов 0, 0 циклов/с");
    EXPECT_EQ(ProgressLine::text(125'000 * ms, 7), "Запись: 125,0 с, циклов 7, 0 циклов/с");
    EXPECT_EQ(ProgressLine::text(1, 18'000'000'000'000'000'000u),
              "Запись: 0,0 с, циклов 18000000000000000000, 18446744073709551615 циклов/с")
        << "a rate too large for a word stays at the largest, not wrapped into a small one";
}

TEST(ProgressLine, RewrittenInPlaceAFewTimesASecondAndEndedOnce) {
    WrittenText out;
    ProgressLine line(out.stream, true);
    line.update(10 * ms, 100);
    line.update(200 * ms, 2'000); // too soon
    line.update(260 * ms, 2'600);
    line.update(400 * ms, 4'000); // too soon
    line.finish(450 * ms, 4'500);
    EXPECT_EQ(out.text(), "\rЗапись: 0,0 с, циклов 100, 10000 циклов/с\x1b[K"
                          "\rЗапись: 0,2 с, циклов 2600, 10000 циклов/с\x1b[K"
                          "\rЗапись: 0,4 с, циклов 4500, 10000 циклов/с\x1b[K\n");
}

TEST(ProgressLine, NothingAtAllWhenNotShown) {
    WrittenText out;
    ProgressLine line(out.stream, false);
    line.update(10 * ms, 100);
    line.update(900 * ms, 100);
    line.finish(1'000 * ms, 100);
    EXPECT_EQ(out.text(), "");
}

// A terminal is told from a pipe by the stream itself: a real pseudo
// terminal, as a user's shell gives, and a real pipe, as a script's.
TEST(ProgressLine, ATerminalIsShownAPipeIsNot) {
    int master = -1;
    int terminal = -1;
    ASSERT_EQ(openpty(&master, &terminal, nullptr, nullptr, nullptr), 0);
    std::FILE* onTerminal = fdopen(terminal, "w");
    EXPECT_TRUE(ProgressLine::isTerminal(onTerminal));
    std::fclose(onTerminal);
    close(master);

    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    std::FILE* onPipe = fdopen(ends[1], "w");
    EXPECT_FALSE(ProgressLine::isTerminal(onPipe));
    std::fclose(onPipe);
    close(ends[0]);
}
