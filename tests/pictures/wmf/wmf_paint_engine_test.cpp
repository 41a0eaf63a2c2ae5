#include "pictures/wmf/wmf_paint_device.h"
#include "pictures/wmf/wmf_record_writer.h"
#include "wmf_file_reader.h"

#include <QFontMetricsF>
#include <QPainter>

#include <gtest/gtest.h>

#include <functional>
#include <numeric>

namespace voltarix::pictures {
namespace {

using W = WmfRecordWriter;
using testkit::WmfFileView;

WmfFileView paint(const std::function<void(QPainter&)>& draw, QSize size = {100, 80}) {
    WmfPaintDevice device(size, 96);
    QPainter painter(&device);
    draw(painter);
    painter.end();
    return testkit::readWmf(device.fileBytes());
}

std::vector<std::uint16_t> functions(const WmfFileView& file) {
    std::vector<std::uint16_t> out;
    for (const auto& r : file.records)
        out.push_back(r.function);
    return out;
}

// libwmf starts a saved state with default modes, so they follow every save and restore.
TEST(WmfPaintEngine, ClipLivesInASavedStateWithTheModesSetAgain) {
    const WmfFileView file = paint([](QPainter& p) {
        p.save();
        p.setClipRect(QRect(10, 10, 50, 40));
        p.setPen(Qt::red);
        p.drawLine(0, 0, 90, 70);
        p.restore();
        p.setPen(Qt::blue);
        p.drawLine(0, 70, 90, 0);
    });
    EXPECT_TRUE(file.faults.empty()) << file.faults.front();
    const auto f = functions(file);
    const auto save = std::find(f.begin(), f.end(), W::SaveDc);
    ASSERT_NE(save, f.end());
    EXPECT_EQ(*(save + 1), W::SetBkMode);
    EXPECT_EQ(*(save + 2), W::SetTextAlign);
    EXPECT_EQ(*(save + 3), W::IntersectClipRect);
    const auto restore = std::find(save, f.end(), W::RestoreDc);
    ASSERT_NE(restore, f.end());
    EXPECT_EQ(*(restore + 1), W::DeleteObject); // the pen made inside the saved state
    EXPECT_LT(std::find(restore, f.end(), W::SetBkMode), std::find(restore, f.end(), W::Polyline));
    const auto clip = file.all(W::IntersectClipRect).front();
    EXPECT_EQ(clip->param(0), 50); // bottom, right, top, left
    EXPECT_EQ(clip->param(1), 60);
    EXPECT_EQ(clip->param(3), 10);
    EXPECT_EQ(file.all(W::CreatePenIndirect).size(), 2u);
    EXPECT_EQ(file.all(W::Polyline).size(), 2u);
    EXPECT_LE(file.objects, 2);
}

// Players paint a dashed pen's gaps their own way, so dashes are written as solid pieces.
TEST(WmfPaintEngine, DottedLinesBecomeSolidDotsInThePaintersPattern) {
    const WmfFileView file = paint([](QPainter& p) {
        p.setPen(QPen(Qt::gray, 0, Qt::DotLine));
        p.drawLine(QPointF(10, 5), QPointF(19, 5));
    });
    const auto pens = file.all(W::CreatePenIndirect);
    ASSERT_EQ(pens.size(), 1u);
    EXPECT_EQ(pens[0]->param(0), W::penSolid);
    const auto dots = file.all(W::Polyline);
    ASSERT_EQ(dots.size(), 3u); // one on, two off, over nine pixels
    EXPECT_EQ(dots[0]->param(1), 10);
    EXPECT_EQ(dots[1]->param(1), 13);
    EXPECT_EQ(dots[2]->param(1), 16);
}

TEST(WmfPaintEngine, FilledRectanglesCoverThePixelsThePainterFills) {
    const WmfFileView file = paint([](QPainter& p) { p.fillRect(QRect(5, 6, 20, 10), Qt::green); });
    const auto pens = file.all(W::CreatePenIndirect);
    ASSERT_EQ(pens.size(), 1u);
    EXPECT_EQ(pens[0]->param(0), W::penNull);
    const auto rect = file.all(W::Rectangle);
    ASSERT_EQ(rect.size(), 1u);
    // The player leaves out the right and bottom edge and, with no pen, one more pixel.
    EXPECT_EQ(rect[0]->param(3), 5);
    EXPECT_EQ(rect[0]->param(2), 6);
    EXPECT_EQ(rect[0]->param(1), 5 + 20 + 1);
    EXPECT_EQ(rect[0]->param(0), 6 + 10 + 1);
}

TEST(WmfPaintEngine, TextStandsOnItsBaselineWithTheAdvancesOfItsFont) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(14);
    const WmfFileView file = paint([&font](QPainter& p) {
        p.setFont(font);
        p.setPen(Qt::darkRed);
        p.drawText(QPointF(10, 30), QStringLiteral("17:05"));
    });
    const auto texts = file.all(W::ExtTextOut);
    ASSERT_EQ(texts.size(), 1u);
    const auto& t = *texts[0];
    EXPECT_EQ(t.param(0), 30);
    EXPECT_EQ(t.param(1), 10);
    EXPECT_EQ(testkit::extTextOutString(t), "17:05");
    int sum = 0;
    for (std::size_t i = 0; i < 5; ++i)
        sum += t.param(4 + 3 + i); // after the five padded text bytes
    EXPECT_NEAR(sum, QFontMetricsF(font).horizontalAdvance(QStringLiteral("17:05")), 1.0);
    EXPECT_EQ(file.all(W::SetTextColor).front()->params[0], 0x0080); // 0x00BBGGRR, dark red
    const auto fonts = file.all(W::CreateFontIndirect);
    ASSERT_EQ(fonts.size(), 1u);
    EXPECT_EQ(fonts[0]->param(0), -14);
}

} // namespace
} // namespace voltarix::pictures
