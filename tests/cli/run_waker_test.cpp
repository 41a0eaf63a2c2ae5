#include "cli/run_waker.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <thread>

using voltarix::cli::RunWaker;

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::uint64_t tenSeconds = 10'000'000'000;

struct sigaction handlerOf(int signal) {
    struct sigaction now {};
    sigaction(signal, nullptr, &now);
    return now;
}

} // namespace

// kill() sends the process the same signal Ctrl+C or a kill command sends.
TEST(RunWaker, InterruptAndTerminateSignalsEndTheSleepAndAreKept) {
    for (const int signal : {SIGINT, SIGTERM}) {
        RunWaker waker;
        EXPECT_FALSE(waker.interrupted());
        std::thread sender([signal] {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            kill(getpid(), signal);
        });
        const auto start = Clock::now();
        waker.sleep(tenSeconds);
        while (!waker.interrupted() && Clock::now() - start < std::chrono::seconds(10))
            waker.sleep(tenSeconds);
        sender.join();
        EXPECT_TRUE(waker.interrupted()) << signal;
        EXPECT_LT(Clock::now() - start, std::chrono::seconds(5)) << signal;
        EXPECT_EQ(handlerOf(signal).sa_handler, SIG_DFL)
            << "a second signal ends the program as usual";
    }
}

TEST(RunWaker, AWakeFromAnotherThreadEndsTheSleepWithoutAnInterrupt) {
    RunWaker waker;
    std::thread other([&waker] { waker.wake(); });
    const auto start = Clock::now();
    waker.sleep(tenSeconds);
    other.join();
    EXPECT_LT(Clock::now() - start, std::chrono::seconds(5));
    EXPECT_FALSE(waker.interrupted());
}

TEST(RunWaker, TheSleepEndsWithItsTime) {
    RunWaker waker;
    const auto start = Clock::now();
    waker.sleep(30'000'000);
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(30));
    EXPECT_FALSE(waker.interrupted());
}

TEST(RunWaker, TheHandlersBeforeItAreBackWhenItEnds) {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    struct sigaction before {};
    sigaction(SIGTERM, &ignore, &before);
    {
        RunWaker waker;
        EXPECT_NE(handlerOf(SIGTERM).sa_handler, SIG_IGN);
    }
    EXPECT_EQ(handlerOf(SIGTERM).sa_handler, SIG_IGN);
    sigaction(SIGTERM, &before, nullptr);
}
