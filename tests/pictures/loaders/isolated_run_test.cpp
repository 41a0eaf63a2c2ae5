#include "pictures/loaders/isolated_run.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <stdexcept>
#include <thread>

namespace voltarix::pictures {
namespace {

using Outcome = IsolatedRun::Outcome;

TEST(IsolatedRun, WorkResultArrivesThroughSharedMemory) {
    IsolatedRun run(64);
    const auto work = [](void* shared) {
        std::strcpy(static_cast<char*>(shared), "drawn in the child");
        return true;
    };
    EXPECT_EQ(run.run(work, 5000), Outcome::Done);
    EXPECT_STREQ(static_cast<const char*>(run.shared()), "drawn in the child");
}

TEST(IsolatedRun, ChildChangesNothingElseOfTheCaller) {
    int touched = 0;
    IsolatedRun run(8);
    EXPECT_EQ(run.run(
                  [&touched](void*) {
                      touched = 1;
                      return true;
                  },
                  5000),
              Outcome::Done);
    EXPECT_EQ(touched, 0);
}

TEST(IsolatedRun, FailureAndExceptionCountAsFailed) {
    IsolatedRun run(8);
    EXPECT_EQ(run.run([](void*) { return false; }, 5000), Outcome::Failed);
    EXPECT_EQ(run.run([](void*) -> bool { throw std::runtime_error("broken"); }, 5000),
              Outcome::Failed);
}

TEST(IsolatedRun, CrashInTheChildIsReportedNotSuffered) {
    IsolatedRun run(8);
    EXPECT_EQ(run.run(
                  [](void*) {
                      std::raise(SIGSEGV);
                      return true;
                  },
                  5000),
              Outcome::Crashed);
}

TEST(IsolatedRun, EndlessWorkIsStoppedAtTheTimeLimit) {
    IsolatedRun run(8);
    EXPECT_EQ(run.run(
                  [](void*) {
                      for (;;)
                          std::this_thread::sleep_for(std::chrono::milliseconds(10));
                      return true;
                  },
                  100),
              Outcome::TimedOut);
}

} // namespace
} // namespace voltarix::pictures
