#include "ui/status_bar.h"
#include "window_rig.h"

#include <QFontMetrics>
#include <QLabel>
#include <gtest/gtest.h>

using voltarix::testkit::WindowRig;
using voltarix::ui::StatusBar;

TEST(StatusBar, SixPanelsWithTheirWidthsAndDesignTexts) {
    WindowRig rig;
    auto* bar = rig.find<StatusBar>("StatusBar1");
    bar->show();
    const auto panels = bar->findChildren<QLabel*>();
    ASSERT_EQ(panels.size(), 6);
    const int widths[] = {240, 30, 90, 150, 150};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(panels[i]->width(), widths[i]) << "panel " << i;
    const char* texts[] = {"", "00", "Страниц: 00", "", "", "Страниц[R]:"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(bar->panelText(i), QString::fromUtf8(texts[i])) << "panel " << i;
    EXPECT_EQ(panels[3]->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
}

TEST(StatusBar, TheLastPanelFillsTheRestAndShowsItsTextInFull) {
    WindowRig rig;
    auto* bar = rig.find<StatusBar>("StatusBar1");
    bar->show();
    QLabel* last = bar->findChildren<QLabel*>().constLast();
    EXPECT_GT(last->width(), 50);
    EXPECT_EQ(last->geometry().right(), bar->width() - 1);
    EXPECT_GE(last->contentsRect().width(),
              QFontMetrics(last->font()).horizontalAdvance(bar->panelText(5)));
}
