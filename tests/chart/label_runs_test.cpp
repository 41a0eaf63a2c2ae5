#include "chart/colour_runs.h"
#include "chart/label_runs.h"

#include <gtest/gtest.h>

namespace voltarix::chart {
namespace {

TEST(PointLabel, OnlyCanonicalDecimalTextsBecomeNumbers) {
    EXPECT_TRUE(PointLabel(QStringLiteral("41")).isNumber());
    EXPECT_EQ(PointLabel(QStringLiteral("41")).numberValue(), 41);
    EXPECT_TRUE(PointLabel(QStringLiteral("0")).isNumber());
    for (const char* text : {"0000", "0041", "", "12:00:01", "-3", "1234..."}) {
        const QString s = QString::fromUtf8(text);
        const PointLabel label(s);
        EXPECT_FALSE(label.isNumber()) << text;
        EXPECT_EQ(label.toString(), s);
    }
}

TEST(LabelRuns, CycleNumbersRisingByOneStayOneRun) {
    LabelRuns labels;
    for (int n = 1; n <= 100000; ++n)
        labels.append(PointLabel::number(n));
    EXPECT_EQ(labels.runCount(), 1u);
    EXPECT_EQ(labels.at(0), "1");
    EXPECT_EQ(labels.at(40), "41");
    EXPECT_EQ(labels.at(99999), "100000");
    EXPECT_EQ(labels.at(100000), QString());
}

TEST(LabelRuns, RepeatedAndRestartedNumbersAndTextsReadBackExactly) {
    // The register chart's extra bars repeat the current counter; a typed counter jumps.
    const QString sequence[] = {"0000", "0000", "1",        "1",        "2",        "3",
                                "500",  "501",  "12:00:01", "12:00:01", "12:00:02", "502"};
    LabelRuns labels;
    for (const QString& text : sequence)
        labels.append(PointLabel(text));
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(labels.at(i), sequence[i]) << i;
    EXPECT_LT(labels.runCount(), 12u);
}

TEST(LabelRuns, TimeTextsCostOneRunPerChange) {
    LabelRuns labels;
    for (int second = 0; second < 10; ++second) {
        const QString text = QStringLiteral("12:00:%1").arg(second, 2, 10, QChar(u'0'));
        for (int i = 0; i < 1000; ++i)
            labels.append(PointLabel::text(text));
    }
    EXPECT_EQ(labels.runCount(), 10u);
    EXPECT_EQ(labels.at(4999), "12:00:04");
    EXPECT_EQ(labels.at(5000), "12:00:05");
}

TEST(ColourRuns, KeepsEveryPointsColourAsRuns) {
    ColourRuns colours;
    EXPECT_EQ(colours.at(0), 0u) << "nothing coloured yet";
    for (int i = 0; i < 10; ++i)
        colours.append(i, i < 4 ? 0xff00ffffu : i == 4 ? 0xffff0000u : 0xff00ffffu);
    EXPECT_EQ(colours.runs().size(), 3u);
    EXPECT_EQ(colours.at(3), 0xff00ffffu);
    EXPECT_EQ(colours.at(4), 0xffff0000u);
    EXPECT_EQ(colours.at(5), 0xff00ffffu);
    EXPECT_EQ(colours.at(9), 0xff00ffffu);
}

} // namespace
} // namespace voltarix::chart
