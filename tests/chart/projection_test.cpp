#include "chart/projection3d.h"
#include "chart/view_navigation.h"

#include <gtest/gtest.h>

namespace voltarix::chart {
namespace {

void expectNear(QPointF actual, QPointF expected) {
    EXPECT_NEAR(actual.x(), expected.x(), 1e-6);
    EXPECT_NEAR(actual.y(), expected.y(), 1e-6);
}

const QRectF kFront(0, 0, 200, 100);

TEST(Projection3D, FlatIsTheIdentity) {
    const Projection3D p = Projection3D::flat(kFront);
    EXPECT_TRUE(p.isFlat());
    expectNear(p.map(37, 81, 50), {37, 81});
}

TEST(Projection3D, OrthogonalShiftsTheBackUpAndRightAndFitsTheBox) {
    View3DOptions o;
    o.orthogonal = true;
    const double d = 40;
    const double shift = d / std::sqrt(2.0);
    // Box seen obliquely is (200 + shift) x (100 + shift); it is scaled to fit 200 x 100.
    const double s = std::min(200 / (200 + shift), 100 / (100 + shift));
    const Projection3D p = Projection3D::box(kFront, d, o);
    const QPointF frontBottomLeft = p.map(0, 100, 0);
    const QPointF backBottomLeft = p.map(0, 100, d);
    const QPointF backTopRight = p.map(200, 0, d);
    expectNear(backBottomLeft - frontBottomLeft, QPointF(shift, -shift) * s);
    expectNear(backTopRight - p.map(200, 0, 0), QPointF(shift, -shift) * s);
    expectNear(p.map(200, 0, 0) - p.map(0, 0, 0), QPointF(200 * s, 0));
    // The box fills the rectangle in its limiting direction and is centred.
    EXPECT_NEAR(frontBottomLeft.y(), 100, 1e-6);
    EXPECT_NEAR(backTopRight.y(), 0, 1e-6);
    EXPECT_NEAR(frontBottomLeft.x() + backTopRight.x(), 200, 1e-6);
}

TEST(Projection3D, StraightOnShowsOnlyTheFrontFace) {
    View3DOptions o;
    o.orthogonal = false;
    o.rotation = 360;
    o.elevation = 360;
    o.perspective = 0;
    const Projection3D p = Projection3D::box(kFront, 30, o);
    expectNear(p.map(0, 0, 0), {0, 0});
    expectNear(p.map(200, 100, 0), {200, 100});
    expectNear(p.map(200, 100, 30), {200, 100});
}

TEST(Projection3D, QuarterTurnLooksAtTheSide) {
    View3DOptions o;
    o.orthogonal = false;
    o.rotation = 270;
    o.elevation = 360;
    o.perspective = 0;
    const Projection3D p = Projection3D::box(kFront, 50, o);
    // Turned by 90 degrees the width collapses and the depth becomes the horizontal extent.
    EXPECT_NEAR(p.map(0, 0, 0).x(), p.map(200, 0, 0).x(), 1e-6);
    EXPECT_GT(p.map(0, 0, 50).x(), p.map(0, 0, 0).x());
}

TEST(Projection3D, PerspectiveShrinksTheBackWall) {
    View3DOptions o;
    o.orthogonal = false;
    o.rotation = 360;
    o.elevation = 360;
    o.perspective = 50;
    const Projection3D p = Projection3D::box(kFront, 50, o);
    const double front = p.map(200, 0, 0).x() - p.map(0, 0, 0).x();
    const double back = p.map(200, 0, 50).x() - p.map(0, 0, 50).x();
    EXPECT_LT(back, front);
}

TEST(Projection3D, ZoomScalesAboutTheCentre) {
    View3DOptions o;
    o.orthogonal = true;
    const Projection3D plain = Projection3D::box(kFront, 20, o);
    o.zoom = 200;
    o.zoomScalesText = false;
    const Projection3D zoomed = Projection3D::box(kFront, 20, o);
    const QPointF c = kFront.center();
    expectNear(zoomed.map(0, 0, 0), c + (plain.map(0, 0, 0) - c) * 2);
    EXPECT_EQ(zoomed.textScale(), 1.0);
}

// Every corner of the box, front and back.
QRectF boxExtent(const Projection3D& p, double depth) {
    return p.mapRect(kFront, 0).boundingRect() | p.mapRect(kFront, depth).boundingRect();
}

TEST(Projection3D, OffsetsMoveTheBoxWithinTheFrontRectangle) {
    View3DOptions o;
    o.orthogonal = false;
    o.rotation = 340;
    o.elevation = 330;
    o.perspective = 0;
    const QRectF plain = boxExtent(Projection3D::box(kFront, 30, o), 30);
    o.verticalOffset = 71;
    const QRectF down = boxExtent(Projection3D::box(kFront, 30, o), 30);
    EXPECT_NEAR(down.top(), 71, 1e-6) << "the box moved down by the offset";
    EXPECT_LE(down.bottom(), kFront.bottom() + 1e-6) << "and its bottom stayed inside";
    EXPECT_LT(down.height(), plain.height());
    o.verticalOffset = -20;
    o.horizontalOffset = 500; // more than the whole width
    const QRectF moved = boxExtent(Projection3D::box(kFront, 30, o), 30);
    EXPECT_GE(moved.top(), kFront.top() - 1e-6);
    EXPECT_LE(moved.bottom(), 80 + 1e-6);
    EXPECT_GE(moved.left(), kFront.left() - 1e-6);
    EXPECT_LE(moved.right(), kFront.right() + 1e-6);
}

TEST(ViewNavigation, RectangleBecomesTheNewRangesAndUpLeftUndoes) {
    const ScaleMap x(AxisRange{0, 100}, 0, 1000);
    const ScaleMap y(AxisRange{0, 70}, 700, 0);
    const auto r = ViewNavigation::zoomedTo(QRectF(100, 100, 200, 300), x, y);
    EXPECT_EQ(r.x, (AxisRange{10, 30}));
    EXPECT_EQ(r.y, (AxisRange{30, 60}));
    EXPECT_TRUE(ViewNavigation::isUndoGesture({100, 100}, {50, 150}));
    EXPECT_TRUE(ViewNavigation::isUndoGesture({100, 100}, {150, 50}));
    EXPECT_FALSE(ViewNavigation::isUndoGesture({100, 100}, {150, 150}));
    EXPECT_FALSE(ViewNavigation::isUndoGesture({100, 100}, {99, 101}));
}

TEST(ViewNavigation, PanningMovesTheRangeAgainstTheDragOnlyWhereAllowed) {
    const ScaleMap x(AxisRange{0, 100}, 0, 1000);
    const ScaleMap y(AxisRange{0, 70}, 700, 0);
    const ViewNavigation::Ranges now{{0, 100}, {0, 70}};
    auto r = ViewNavigation::pannedBy(now, {50, 20}, x, y, Panning::Horizontal);
    EXPECT_EQ(r.x, (AxisRange{-5, 95}));
    EXPECT_EQ(r.y, now.y);
    r = ViewNavigation::pannedBy(now, {50, 20}, x, y, Panning::Both);
    EXPECT_EQ(r.y, (AxisRange{2, 72}));
    const auto half = ViewNavigation::interpolated(now, {{10, 20}, {0, 70}}, 0.5);
    EXPECT_EQ(half.x, (AxisRange{5, 60}));
}

} // namespace
} // namespace voltarix::chart
