#include "register_rig.h"

#include "regdiagram/diagram_views.h"
#include "regdiagram/register_chart.h"
#include "regdiagram/view3d_page.h"
#include "regdiagram/view_buttons.h"
#include "ui/click_registry.h"

#include <QLabel>
#include <QSlider>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace voltarix;
using testkit::RegisterRig;

namespace {

struct ViewsRig : RegisterRig {
    chart::Chart& chart2() const { return *find<chart::Chart>(QStringLiteral("Chart2")); }
    QWidget* panel(const QString& name) const { return find<QWidget>(name); }
    QToolButton* button(const QString& name) const { return find<QToolButton>(name); }
    void click(const QString& name) { ASSERT_TRUE(form().clicks().click(name)); }
    bool shownInWindow(const QString& name) const {
        return find<QWidget>(name)->isVisibleTo(&form());
    }
    void show() {
        form().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form()));
    }
};

QRect geometryOf(const QWidget* w) {
    return w->geometry();
}

} // namespace

TEST(DiagramViews, StartLayoutIsTheDesign) {
    ViewsRig rig;
    EXPECT_EQ(geometryOf(rig.panel("Panel4")), QRect(338, 6, 453, 499));
    EXPECT_EQ(geometryOf(&rig.chart2()), QRect(6, 6, 439, 395));
    EXPECT_EQ(geometryOf(&rig.chart1()), QRect(6, 406, 434, 89));
    EXPECT_TRUE(rig.shownInWindow("Panel5"));
    EXPECT_TRUE(rig.button("SpeedButton12")->isChecked());
    EXPECT_FALSE(rig.button("SpeedButton10")->isChecked());
    EXPECT_FALSE(rig.button("SpeedButton11")->isChecked());
    EXPECT_TRUE(rig.chart1().model().axisVisible());
    EXPECT_TRUE(rig.chart2().model().axisVisible());
    EXPECT_FALSE(rig.diagramViewsExpanded());
}

TEST(DiagramViews, TheViewTable) {
    ViewsRig rig;
    rig.click("SpeedButton10");
    EXPECT_TRUE(rig.button("SpeedButton10")->isChecked());
    EXPECT_FALSE(rig.button("SpeedButton12")->isChecked());
    EXPECT_TRUE(rig.shownInWindow("Chart1"));
    EXPECT_FALSE(rig.shownInWindow("Chart2"));
    EXPECT_EQ(geometryOf(&rig.chart1()), QRect(6, 15, 434, 480));
    EXPECT_EQ(geometryOf(&rig.chart2()), QRect(6, 6, 439, 395)) << "a hidden chart keeps its size";

    rig.click("SpeedButton11");
    EXPECT_FALSE(rig.shownInWindow("Chart1"));
    EXPECT_TRUE(rig.shownInWindow("Chart2"));
    EXPECT_EQ(geometryOf(&rig.chart2()), QRect(6, 6, 439, 486));
    EXPECT_EQ(geometryOf(&rig.chart1()), QRect(6, 15, 434, 480));

    rig.click("SpeedButton12");
    EXPECT_TRUE(rig.shownInWindow("Chart1"));
    EXPECT_TRUE(rig.shownInWindow("Chart2"));
    EXPECT_EQ(geometryOf(&rig.chart2()), QRect(6, 6, 439, 398));
    EXPECT_EQ(geometryOf(&rig.chart1()), QRect(6, 406, 434, 89));
}

TEST(DiagramViews, BothViewRightAfterStartGivesThe17BitChartThreeMorePixels) {
    ViewsRig rig;
    rig.click("SpeedButton12");
    EXPECT_EQ(rig.chart2().height(), 398);
    EXPECT_EQ(geometryOf(&rig.chart1()), QRect(6, 406, 434, 89));
}

TEST(DiagramViews, ViewButtonsAreOneExclusiveGroupUnderTheMouse) {
    ViewsRig rig;
    rig.show();
    rig.find<QTabWidget>("PageControl1")->setCurrentIndex(0);
    QTest::mouseClick(rig.button("SpeedButton12"), Qt::LeftButton);
    EXPECT_TRUE(rig.button("SpeedButton12")->isChecked()) << "a down button stays down";
    EXPECT_EQ(rig.chart2().height(), 398);
    QTest::mouseClick(rig.button("SpeedButton11"), Qt::LeftButton);
    EXPECT_TRUE(rig.button("SpeedButton11")->isChecked());
    EXPECT_FALSE(rig.button("SpeedButton12")->isChecked());
    EXPECT_FALSE(rig.chart1().isVisible());
    EXPECT_EQ(rig.chart2().height(), 486);
}

TEST(DiagramViews, CyclesButtonTogglesTheRegisterAxesAndTheRegisterViewTurnsThemOn) {
    ViewsRig rig;
    rig.click("SpeedButton24");
    EXPECT_FALSE(rig.chart1().model().axisVisible());
    rig.click("SpeedButton24");
    EXPECT_TRUE(rig.chart1().model().axisVisible()) << "twice leaves the chart as it was";
    rig.click("SpeedButton24");
    rig.click("SpeedButton12");
    EXPECT_FALSE(rig.chart1().model().axisVisible()) << "the both view leaves the axes";
    rig.click("SpeedButton10");
    EXPECT_TRUE(rig.chart1().model().axisVisible());
    EXPECT_TRUE(rig.chart2().model().axisVisible());
}

TEST(DiagramViews, ExpandTwiceReturnsToTheNormalLayout) {
    ViewsRig rig;
    rig.click("Panel4");
    EXPECT_EQ(geometryOf(rig.panel("Panel4")), QRect(6, 6, 785, 499));
    EXPECT_EQ(rig.chart2().width(), 772);
    EXPECT_EQ(rig.chart1().width(), 770);
    EXPECT_FALSE(rig.shownInWindow("Panel5"));
    rig.click("Panel4");
    EXPECT_EQ(geometryOf(rig.panel("Panel4")), QRect(338, 6, 453, 499));
    EXPECT_EQ(geometryOf(&rig.chart2()), QRect(6, 6, 439, 395));
    EXPECT_EQ(geometryOf(&rig.chart1()), QRect(6, 406, 434, 89));
    EXPECT_TRUE(rig.shownInWindow("Panel5"));
}

TEST(DiagramViews, ExpandInTheRegisterViewWidensTheHiddenChartToo) {
    ViewsRig rig;
    rig.click("SpeedButton10");
    rig.click("Panel4");
    EXPECT_EQ(geometryOf(&rig.chart1()), QRect(6, 15, 770, 480));
    EXPECT_FALSE(rig.shownInWindow("Chart2"));
    EXPECT_EQ(rig.chart2().width(), 772);
}

TEST(DiagramViews, PanelSurfaceClickAndChartDoubleClickExpand) {
    ViewsRig rig;
    rig.show();
    QWidget* panel = rig.panel("Panel4");
    QTest::mouseClick(&rig.chart1(), Qt::LeftButton, {}, QPoint(100, 40));
    EXPECT_EQ(panel->x(), 338) << "a click on a chart is the chart's";
    QTest::mouseClick(panel, Qt::LeftButton, {}, QPoint(3, 200));
    EXPECT_EQ(panel->x(), 6);
    QTest::mouseClick(panel, Qt::RightButton, {}, QPoint(3, 200));
    EXPECT_EQ(panel->x(), 6);
    QTest::mouseDClick(&rig.chart2(), Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_EQ(panel->x(), 338);
}

TEST(DiagramViews, The17BitGroupSwitches3DAndKeepsItsSettingsWhileFlat) {
    ViewsRig rig;
    const chart::ChartModel& model = rig.chart2().model();
    auto* slider = rig.find<QSlider>("TrackBar2");
    EXPECT_FALSE(model.view3D());
    EXPECT_FALSE(slider->isEnabled());
    EXPECT_FALSE(rig.find<QWidget>("SpinEdit8")->isEnabled());
    rig.check("CheckBox28", true);
    EXPECT_TRUE(model.view3D());
    EXPECT_EQ(model.view3DOptions().rotation, 340);
    EXPECT_EQ(model.view3DOptions().elevation, 330);
    EXPECT_EQ(model.view3DOptions().zoom, 100);
    EXPECT_EQ(model.chart3DPercent(), 55);
    for (const char* name : {"TrackBar2", "TrackBar3", "TrackBar4", "SpinEdit8"})
        EXPECT_TRUE(rig.find<QWidget>(name)->isEnabled()) << name;
    slider->setValue(300);
    rig.find<QSlider>("TrackBar3")->setValue(250);
    rig.find<QSlider>("TrackBar4")->setValue(280);
    rig.type("SpinEdit8", "80");
    EXPECT_EQ(rig.text<QLabel>("StaticText1"), "300");
    EXPECT_EQ(rig.text<QLabel>("StaticText2"), "250");
    EXPECT_EQ(rig.text<QLabel>("StaticText3"), "280");
    rig.check("CheckBox28", false);
    EXPECT_FALSE(model.view3D());
    EXPECT_FALSE(slider->isEnabled());
    EXPECT_EQ(model.view3DOptions().rotation, 300);
    EXPECT_EQ(model.view3DOptions().zoom, 250);
    EXPECT_EQ(model.view3DOptions().elevation, 280);
    EXPECT_EQ(model.chart3DPercent(), 80);
}

TEST(DiagramViews, TheRegisterGroupSetsDepthAndZoomAndKeepsThemWhileFlat) {
    ViewsRig rig;
    const chart::ChartModel& model = rig.chart1().model();
    EXPECT_TRUE(model.view3D());
    EXPECT_EQ(model.chart3DPercent(), 50);
    EXPECT_FALSE(rig.find<QWidget>("TrackBar5")->isEnabled());
    EXPECT_FALSE(rig.find<QWidget>("StaticText6")->isEnabled());
    EXPECT_EQ(rig.text<QLabel>("StaticText6"), "00");
    rig.find<QSlider>("TrackBar7")->setValue(1);
    EXPECT_EQ(rig.text<QLabel>("StaticText4"), "1");
    EXPECT_EQ(model.chart3DPercent(), 1);
    rig.find<QSlider>("TrackBar6")->setValue(150);
    EXPECT_EQ(rig.text<QLabel>("StaticText5"), "150");
    EXPECT_EQ(model.view3DOptions().zoom, 150);
    rig.check("CheckBox29", false);
    EXPECT_FALSE(model.view3D());
    EXPECT_FALSE(rig.find<QWidget>("TrackBar6")->isEnabled());
    EXPECT_FALSE(rig.find<QWidget>("TrackBar7")->isEnabled());
    EXPECT_FALSE(rig.find<QWidget>("TrackBar5")->isEnabled());
    rig.check("CheckBox29", true);
    EXPECT_EQ(model.chart3DPercent(), 1);
    EXPECT_EQ(model.view3DOptions().zoom, 150);
    EXPECT_TRUE(rig.find<QWidget>("TrackBar7")->isEnabled());
    EXPECT_FALSE(rig.find<QWidget>("TrackBar5")->isEnabled());
}

TEST(DiagramViews, EveryButtonOfTheViewsAndTheRegisterChartCanBeClickedByName) {
    ViewsRig rig;
    for (const char* name :
         {"SpeedButton6", "SpeedButton16", "SpeedButton22", "SpeedButton23", "SpeedButton10",
          "SpeedButton11", "SpeedButton12", "SpeedButton24", "Panel4"})
        EXPECT_TRUE(rig.form().clicks().contains(QString::fromLatin1(name))) << name;
    rig.find<QToolButton>("SpeedButton24")->setEnabled(false);
    rig.click("SpeedButton24");
    EXPECT_FALSE(rig.chart1().model().axisVisible()) << "a program click runs a disabled button";
}

// The views work on any two charts and panels: here ones the test makes.
TEST(DiagramViews, DriveTwoChartsOfItsOwn) {
    QWidget frame;
    frame.resize(800, 534);
    auto* chartPanel = new QFrame(&frame);
    chartPanel->setGeometry(338, 6, 453, 499);
    auto* settingsPanel = new QFrame(&frame);
    auto* traceChart = new chart::Chart(chartPanel);
    traceChart->setGeometry(6, 6, 439, 395);
    chart::Chart* registerChart = regdiagram::makeRegisterChart(chartPanel);
    registerChart->setGeometry(6, 406, 434, 89);
    auto* buttons = new regdiagram::ViewButtonBar(settingsPanel);
    auto* cycles = new QToolButton(settingsPanel);
    auto* page3D = new regdiagram::View3DPage(settingsPanel);
    regdiagram::DiagramViews views(
        {*chartPanel, *settingsPanel, *traceChart, *registerChart, *buttons, *cycles, *page3D});
    ui::ClickRegistry clicks;
    views.registerClicks(clicks);
    EXPECT_EQ(traceChart->model().chart3DPercent(), 55);
    EXPECT_EQ(traceChart->model().view3DOptions().verticalOffset, 71);
    clicks.click(QStringLiteral("SpeedButton11"));
    clicks.click(QStringLiteral("Panel4"));
    EXPECT_EQ(traceChart->geometry(), QRect(6, 6, 772, 486));
    EXPECT_TRUE(views.expanded());
    EXPECT_FALSE(registerChart->isVisibleTo(&frame));
    EXPECT_FALSE(settingsPanel->isVisibleTo(&frame));
}
