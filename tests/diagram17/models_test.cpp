#include "diagram17/cycle_counter.h"
#include "diagram17/gauge_model.h"
#include "diagram17/memory_guard.h"
#include "diagram17/page_count.h"
#include "diagram17/screen_rate_display.h"

#include <QLineEdit>
#include <QProgressBar>
#include <gtest/gtest.h>

using namespace voltarix::diagram17;

TEST(CycleCounter, StartsAtTheDesignTextAndEveryWriteNotifies) {
    CycleCounter counter;
    int changes = 0;
    counter.setChangeListener([&] { ++changes; });
    EXPECT_EQ(counter.text(), "0000");
    EXPECT_EQ(counter.value(), 0);
    counter.write(0);
    EXPECT_EQ(counter.text(), "0") << "\"0000\" becomes \"0\": a change";
    EXPECT_EQ(changes, 1);
    counter.write(0);
    EXPECT_EQ(changes, 1);
    // Days of capture pass 2^31 cycles; the count goes on.
    counter.write(std::int64_t{5'000'000'000});
    EXPECT_EQ(counter.text(), "5000000000");
}

TEST(GaugeModel, PositionIsClampedToTheRange) {
    GaugeModel gauge;
    gauge.setMaximum(300);
    gauge.setPosition(301);
    EXPECT_EQ(gauge.position(), 300);
    gauge.setPosition(-4);
    EXPECT_EQ(gauge.position(), 0);
    gauge.setPosition(250);
    gauge.setMaximum(200);
    EXPECT_EQ(gauge.position(), 200);
    gauge.setMaximum(-5);
    EXPECT_EQ(gauge.maximum(), 0);
}

TEST(ScreenRateDisplay, ShowsARangeBeyondTheBarsIntegersScaledDown) {
    CycleCounter counter;
    GaugeModel gauge;
    QLineEdit field;
    QProgressBar bar;
    ScreenRateDisplay display(counter, gauge, field, bar, nullptr);
    EXPECT_EQ(field.text(), "0000");
    gauge.setMaximum(std::int64_t{6'000'000'000});
    gauge.setPosition(std::int64_t{3'000'000'000});
    counter.write(std::int64_t{3'000'000'000});
    display.flush();
    EXPECT_EQ(field.text(), "3000000000");
    EXPECT_GT(bar.maximum(), 0);
    EXPECT_NEAR(double(bar.value()) / bar.maximum(), 0.5, 1e-6);
}

TEST(PageCount, CompletedPagesAndADensityBelowOne) {
    EXPECT_EQ(completedPages(39, 40), 0);
    EXPECT_EQ(completedPages(40, 40), 1);
    EXPECT_EQ(completedPages(301, 40), 7);
    EXPECT_EQ(completedPages(301, 0), 0);
    EXPECT_EQ(completedPages(301, -3), 0);
    EXPECT_EQ(pageCountText(7), QString::fromUtf8("Страниц: 7"));
}

TEST(MemoryGuard, AsksEverySoManyCyclesAndTheSystemAnswers) {
    int asked = 0;
    MemoryGuard guard(
        [&] {
            ++asked;
            return std::optional<std::uint64_t>(100);
        },
        1000);
    EXPECT_TRUE(guard.cycleRunsShort()) << "the first cycle asks";
    for (int i = 1; i < MemoryGuard::kCyclesPerCheck; ++i)
        EXPECT_FALSE(guard.cycleRunsShort());
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(guard.cycleRunsShort());
    EXPECT_EQ(asked, 2);

    MemoryGuard unknown([] { return std::optional<std::uint64_t>(); }, 1000);
    EXPECT_FALSE(unknown.runsShort()) << "nothing known, nothing stopped";

    const auto available = MemoryGuard::systemProbe()();
    ASSERT_TRUE(available.has_value()) << "/proc/meminfo answers on Linux";
    EXPECT_GT(*available, 0u);
}
