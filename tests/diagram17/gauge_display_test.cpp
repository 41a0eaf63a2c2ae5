#include "diagram17_rig.h"
#include "support/qstring_printer.h"

#include <QProgressBar>
#include <gtest/gtest.h>

using voltarix::testkit::Diagram17Rig;

// A cleared count field at counter 0 leaves the gauge a range of 0 (the
// synchronous count, already at its least, writes nothing back): it shows
// 0 % like any gauge with nothing done, not Qt's animated busy bar.
TEST(GaugeDisplay, ARangeOfZeroShowsZeroPercent) {
    Diagram17Rig rig;
    auto* gauge = rig.find<QProgressBar>("Gauge1");
    rig.spin("SpinEdit2")->setText(QStringLiteral("1"));
    rig.spin("SpinEdit2")->setText(QString());
    ASSERT_EQ(rig.spin("SpinEdit2")->text(), "");
    ASSERT_EQ(rig.d17().gauge().maximum(), 0);
    EXPECT_LT(gauge->minimum(), gauge->maximum()) << "a bar with no range is Qt's busy bar";
    EXPECT_EQ(gauge->text(), "0%");

    rig.spin("SpinEdit2")->setText(QStringLiteral("4"));
    EXPECT_EQ(gauge->maximum(), 4);
    EXPECT_EQ(gauge->text(), "0%");
}
