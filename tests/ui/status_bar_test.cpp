#include "ui/status_bar.h"

#include <QFontMetrics>
#include <QLabel>
#include <gtest/gtest.h>

using voltarix::ui::StatusBar;

namespace {

const std::array<StatusBar::PanelDesign, StatusBar::panelCount> designs{{
    {240, QString()},
    {30, QStringLiteral("00")},
    {90, QStringLiteral("Страниц: 00")},
    {150, QString(), Qt::AlignCenter},
    {150, QString()},
    {50, QStringLiteral("Страниц[R]:")},
}};

} // namespace

TEST(StatusBar, PanelsKeepTheirWidthsAndTheLastOneFillsTheRest) {
    StatusBar bar(designs);
    bar.resize(795, 23);
    bar.show();
    const auto panels = bar.findChildren<QLabel*>();
    ASSERT_EQ(panels.size(), 6);
    EXPECT_EQ(panels[0]->width(), 240);
    EXPECT_EQ(panels[2]->width(), 90);
    EXPECT_EQ(panels[3]->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    EXPECT_GT(panels[5]->width(), 50);
    EXPECT_EQ(panels[5]->geometry().right(), bar.width() - 1);
    EXPECT_GE(panels[5]->contentsRect().width(),
              QFontMetrics(panels[5]->font()).horizontalAdvance(bar.panelText(5)))
        << "the design text of the last panel shows in full";
}

TEST(StatusBar, TextsAreAddressedByPlace) {
    StatusBar bar(designs);
    EXPECT_EQ(bar.panelText(1), "00");
    bar.setPanelText(3, QStringLiteral("Данные: на вход"));
    EXPECT_EQ(bar.panelText(3), "Данные: на вход");
    EXPECT_EQ(bar.panelText(4), "");
}
