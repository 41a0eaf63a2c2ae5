// Page pictures on a screen that is not 96 pixels per inch at one device pixel
// per pixel: CTest runs these under Qt's scaling by 2, and again without Qt's
// scaling at 144 dots per inch. A page keeps every pixel the screen shows, and
// the browser shows it again one image pixel per screen pixel.
#include "pictures/browser/picture_browser.h"
#include "pictures/export/chart_picture.h"
#include "pictures/export/picture_format.h"
#include "sample_charts.h"
#include "support/qstring_printer.h"

#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <ostream>

// Failures show sizes as sizes.
inline void PrintTo(const QSize& size, std::ostream* out) {
    *out << size.width() << " x " << size.height();
}

namespace voltarix::pictures {
namespace {

class ScaledScreen : public ::testing::Test {
protected:
    void SetUp() override {
        chart = testkit::makeTraceChart(57, {301, 203});
        chart->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(chart.get()));
        browser.showBrowser();
        ASSERT_TRUE(chart->devicePixelRatioF() != 1 || chart->logicalDpiY() != 96)
            << "run under a scaled screen (QT_SCALE_FACTOR, or QT_FONT_DPI without scaling): "
            << chart->devicePixelRatioF() << " " << chart->logicalDpiY();
    }
    // The size in device pixels that something of the given size in
    // device-independent pixels takes on this screen.
    QSize onScreen(QSize size) const {
        return (QSizeF(size) * chart->devicePixelRatioF()).toSize();
    }
    QString file(const char* name) const { return folder.filePath(QString::fromLatin1(name)); }

    QTemporaryDir folder;
    std::unique_ptr<chart::Chart> chart;
    TForm4 browser;
};

TEST_F(ScaledScreen, ABitmapPageHoldsEveryPixelTheScreenShows) {
    saveChartPicture(*chart, file("page.bmp"), PictureFormat::Bitmap);
    const QImage saved(file("page.bmp"));
    EXPECT_EQ(saved.size(), onScreen(chart->size()));

    browser.openPicture(file("page.bmp"));
    EXPECT_EQ(browser.picture().size(), saved.size());
    EXPECT_EQ(browser.image1()->size(), chart->size()) << "one image pixel per screen pixel";
}

TEST_F(ScaledScreen, AMetafilePageOpensAtTheSizeTheScreenShowed) {
    saveChartPicture(*chart, file("page.wmf"), PictureFormat::Metafile);
    browser.openPicture(file("page.wmf"));
    EXPECT_EQ(browser.picture().size(), onScreen(chart->size()));
    EXPECT_EQ(browser.image1()->size(), chart->size());
}

} // namespace
} // namespace voltarix::pictures
