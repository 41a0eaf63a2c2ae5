#include "panel/direction_glyphs.h"
#include "ui/glyph_button.h"

#include <QImage>
#include <gtest/gtest.h>

using voltarix::panel::directionGlyphStrip;
using voltarix::ui::GlyphButton;

namespace {

QImage shownGlyph(const GlyphButton& button) {
    return button.icon().pixmap(button.iconSize()).toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

TEST(DirectionGlyphs, InputAndOutputPicturesAreVisiblyDifferent) {
    GlyphButton button;
    button.setGlyphStrip(directionGlyphStrip());
    button.setNumGlyphs(4);
    const QImage output = shownGlyph(button);
    button.setNumGlyphs(2);
    const QImage input = shownGlyph(button);
    EXPECT_EQ(output.size(), QSize(8, 16));
    EXPECT_EQ(input.size(), QSize(16, 16));

    // The input picture shows an arrow where the output picture has none.
    int inputOnlyPixels = 0;
    for (int y = 0; y < 16; ++y)
        for (int x = 8; x < 16; ++x)
            inputOnlyPixels += qAlpha(input.pixel(x, y)) > 128;
    EXPECT_GT(inputOnlyPixels, 10);
}

TEST(DirectionGlyphs, DisabledButtonShowsTheSecondImageOfTheStrip) {
    GlyphButton button;
    button.setGlyphStrip(directionGlyphStrip());
    button.setNumGlyphs(2);
    const QImage enabled = shownGlyph(button);
    button.setEnabled(false);
    EXPECT_NE(shownGlyph(button), enabled);
}
