#include "panel/window_rig.h"

#include "pictures/export/chart_picture.h"
#include "pictures/export/picture_format.h"
#include "pictures/loaders/picture_loader.h"

#include "chart/chart.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace voltarix::pictures {
namespace {

// What a page export writes, the browser opens again at exactly the size the
// chart has on screen, in both formats and for both charts of the window.
TEST(ExportReopen, BrowserOpensEveryExportedPageAtItsChartSize) {
    testkit::WindowRig rig;
    QTemporaryDir folder;
    for (const char* name : {"Chart2", "Chart1"}) {
        const auto* chart = rig.find<chart::Chart>(name);
        for (const auto& [format, extension] : {std::pair{PictureFormat::Bitmap, ".bmp"},
                                                std::pair{PictureFormat::Metafile, ".wmf"}}) {
            const QString file = folder.filePath(QString::fromLatin1(name) + extension);
            saveChartPicture(*chart, file, format);
            const QImage reopened = loadPictureFile(file);
            EXPECT_EQ(reopened.size(), chart->size()) << name << extension;
        }
    }
}

} // namespace
} // namespace voltarix::pictures
