#include "pictures/loaders/picture_format_registry.h"

#include <gtest/gtest.h>

namespace voltarix::pictures {
namespace {

using Registry = PictureFormatRegistry;

TEST(PictureFormatRegistry, OpenFilterListsEveryFormatNewestFirst) {
    EXPECT_EQ(Registry::joinedFilter(Registry().filterEntries()),
              u"All (*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf)|*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf|"
              u"JPEG Image File (*.jpg)|*.jpg|JPEG Image File (*.jpeg)|*.jpeg|"
              u"Bitmaps (*.bmp)|*.bmp|Icons (*.ico)|*.ico|"
              u"Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf");
}

TEST(PictureFormatRegistry, MetafileFilterAndDefaultExtension) {
    EXPECT_EQ(Registry::joinedFilter(Registry().filterEntries(PictureKind::Metafile)),
              u"All (*.emf;*.wmf)|*.emf;*.wmf|Enhanced Metafiles (*.emf)|*.emf|"
              u"Metafiles (*.wmf)|*.wmf");
    EXPECT_EQ(Registry().defaultExtension(PictureKind::Metafile), u"emf");
}

TEST(PictureFormatRegistry, SingleFormatHasNoAllEntry) {
    EXPECT_EQ(Registry::joinedFilter(Registry().filterEntries(PictureKind::Bitmap)),
              u"Bitmaps (*.bmp)|*.bmp");
    EXPECT_EQ(Registry().defaultExtension(PictureKind::Bitmap), u"bmp");
    EXPECT_EQ(Registry().defaultExtension(PictureKind::Jpeg), u"jpg");
}

// Qt's dialogs match on space-separated patterns; the description keeps the
// ';' list that the user sees.
TEST(PictureFormatRegistry, QtFiltersCarryMatchablePatterns) {
    const QStringList filters = Registry::qtNameFilters(Registry().filterEntries());
    ASSERT_EQ(filters.size(), 7);
    EXPECT_EQ(filters[0], u"All (*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf) "
                          u"(*.jpg *.jpeg *.bmp *.ico *.emf *.wmf)");
    EXPECT_EQ(filters[3], u"Bitmaps (*.bmp) (*.bmp)");
}

} // namespace
} // namespace voltarix::pictures
