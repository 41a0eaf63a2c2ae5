#include "page_pictures_rig.h"
#include "pictures/export/page_file_name.h"
#include "pictures/wmf/wmf_record_writer.h"
#include "ui/click_registry.h"

#include <QFile>
#include <QImage>
#include <QToolButton>

#include <gtest/gtest.h>

#include <unistd.h>

namespace voltarix::pictures {
namespace {

using testkit::PagePicturesRig;
using Kind = testkit::RecordingMessageService::Kind;

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool holdsMetafile(const QString& path) {
    return contents(path).startsWith(QByteArray::fromHex("d7cdc69a"));
}

TEST(PageFileName, NamesPagesOfBothDiagramsInBothFormats) {
    const QTime time(14, 5, 9);
    EXPECT_EQ(PageFileName::fileName(DiagramKind::Bits17, "3", time, PictureFormat::Metafile),
              "17DPage3-14_05_09.wmf");
    EXPECT_EQ(PageFileName::fileName(DiagramKind::Bits17, "00", time, PictureFormat::Bitmap),
              "17DPage00-14_05_09.bmp");
    EXPECT_EQ(
        PageFileName::fileName(DiagramKind::Register, "12", QTime(0, 0, 0), PictureFormat::Bitmap),
        "RegDPage12-00_00_00.bmp");
    EXPECT_EQ(PageFileName::fileName(DiagramKind::Register, "0", QTime(23, 59, 59),
                                     PictureFormat::Metafile),
              "RegDPage0-23_59_59.wmf");
    EXPECT_EQ(PageFileName::savingMessage(PictureFormat::Bitmap), "Сохранение bmp файла...");
    EXPECT_EQ(PageFileName::savingMessage(PictureFormat::Metafile), "Сохранение emf файла...");
}

// Each of the four buttons: its diagram, format, prefix, panel and label.
TEST(PageExport, TheFourButtonsWriteTheirDiagramInTheirFormatAndTellTheirPanel) {
    PagePicturesRig rig;
    rig.Edit18.setText("3");
    rig.Edit19.setText("7");
    struct Case {
        const char* button;
        const char* file;
        int panel;
        const char* label;
    };
    const Case cases[] = {
        {"SpeedButton14", "17DPage3-14_05_09.bmp", 3, "файл: 3-14_05_09.bmp"},
        {"SpeedButton15", "17DPage3-14_05_09.wmf", 3, "файл: 3-14_05_09.wmf"},
        {"SpeedButton25", "RegDPage7-14_05_09.bmp", 4, "файл[R]: 7-14_05_09.bmp"},
        {"SpeedButton26", "RegDPage7-14_05_09.wmf", 4, "файл[R]: 7-14_05_09.wmf"},
    };
    for (const Case& c : cases) {
        rig.find<QToolButton>(c.button)->click();
        EXPECT_TRUE(QFile::exists(rig.path(c.file))) << c.button;
        EXPECT_EQ(rig.window->statusBar1().panelText(c.panel), QString::fromUtf8(c.label));
    }
    EXPECT_EQ(rig.files().size(), 4);
    EXPECT_TRUE(rig.messages.boxes.empty());

    // The bitmap is the chart's whole client area, pixel for pixel.
    const QImage bitmap(rig.path("17DPage3-14_05_09.bmp"));
    EXPECT_EQ(bitmap.size(), rig.Chart2->size());
    EXPECT_EQ(bitmap.convertToFormat(QImage::Format_RGB32), rig.Chart2->toImage());
    EXPECT_EQ(QImage(rig.path("RegDPage7-14_05_09.bmp")).size(), rig.Chart1->size());
    EXPECT_TRUE(holdsMetafile(rig.path("17DPage3-14_05_09.wmf")));
    EXPECT_TRUE(holdsMetafile(rig.path("RegDPage7-14_05_09.wmf")));
}

// One to one: the file holds what the chart widget shows on screen.
TEST(PageExport, TheBitmapIsWhatTheChartShowsOnScreen) {
    PagePicturesRig rig;
    rig.Chart2->show();
    rig.window->clicks().click("SpeedButton14");
    const QImage onScreen = rig.Chart2->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(QImage(rig.path("17DPage00-14_05_09.bmp")).convertToFormat(QImage::Format_RGB32),
              onScreen);
}

TEST(PageExport, BeforeAnyCaptureThePageTextIsTheInitial00) {
    PagePicturesRig rig;
    rig.window->clicks().click("SpeedButton14");
    rig.window->clicks().click("SpeedButton26");
    EXPECT_EQ(rig.files(), QStringList({"17DPage00-14_05_09.bmp", "RegDPage00-14_05_09.wmf"}));
}

// The message comes first, the clock is read for the name and again for the label.
TEST(PageExport, ClockIsReadOnceForTheNameAndOnceMoreForTheLabel) {
    PagePicturesRig rig;
    rig.times = {QTime(14, 5, 9), QTime(14, 5, 10)};
    rig.window->clicks().click("SpeedButton15");
    ASSERT_EQ(rig.clockReads.size(), 2);
    EXPECT_TRUE(rig.clockReads[0].startsWith("Сохранение emf файла...|"));
    EXPECT_EQ(rig.files(), QStringList({"17DPage00-14_05_09.wmf"}));
    EXPECT_EQ(rig.window->statusBar1().panelText(3), "файл: 00-14_05_10.wmf");
}

TEST(PageExport, TwoExportsInOneSecondReplaceEachOther) {
    PagePicturesRig rig;
    rig.window->clicks().click("SpeedButton25");
    const QByteArray first = contents(rig.path("RegDPage00-14_05_09.bmp"));
    for (int c = 0; c < 5; ++c)
        rig.Chart1->appendPoint(0, 250, chart::PointLabel::number(21 + c), 0xffff0000);
    rig.window->clicks().click("SpeedButton25");
    EXPECT_EQ(rig.files(), QStringList({"RegDPage00-14_05_09.bmp"}));
    const QByteArray second = contents(rig.path("RegDPage00-14_05_09.bmp"));
    EXPECT_NE(first, second);
    EXPECT_EQ(QImage::fromData(second).convertToFormat(QImage::Format_RGB32),
              rig.Chart1->toImage());
}

// As root no folder is read-only by its mode; the kernel's own is.
QString readOnlyFolder(const QString& own) {
    if (geteuid() == 0)
        return QStringLiteral("/proc");
    QFile::setPermissions(own, QFile::ReadOwner | QFile::ExeOwner);
    return own;
}

TEST(PageExport, AFolderThatTakesNoFileShowsTheErrorAndKeepsTheSavingMessage) {
    PagePicturesRig rig;
    QTemporaryDir locked;
    ASSERT_TRUE(QDir::setCurrent(readOnlyFolder(locked.path())));
    rig.find<QToolButton>("SpeedButton14")->click();
    ASSERT_EQ(rig.messages.boxes.size(), 1u);
    EXPECT_EQ(rig.messages.boxes[0].kind, Kind::Error);
    EXPECT_EQ(rig.messages.boxes[0].text, "Cannot create file 17DPage00-14_05_09.bmp");
    EXPECT_EQ(rig.window->statusBar1().panelText(3), "Сохранение bmp файла...");
    rig.find<QToolButton>("SpeedButton26")->click();
    ASSERT_EQ(rig.messages.boxes.size(), 2u);
    EXPECT_EQ(rig.messages.boxes[1].text, "Cannot create file RegDPage00-14_05_09.wmf");
    EXPECT_EQ(rig.window->statusBar1().panelText(4), "Сохранение emf файла...");
    QFile::setPermissions(locked.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(PageExport, ANameHeldByAFolderFailsAndLeavesTheFolderAlone) {
    PagePicturesRig rig;
    ASSERT_TRUE(QDir(rig.folder.path()).mkdir("17DPage00-14_05_09.wmf"));
    // A program click raises to its caller; the button's own click ends in the box.
    EXPECT_THROW(rig.window->clicks().click("SpeedButton15"), std::runtime_error);
    rig.find<QToolButton>("SpeedButton15")->click();
    ASSERT_EQ(rig.messages.boxes.size(), 1u);
    EXPECT_EQ(rig.messages.boxes[0].text, "Cannot create file 17DPage00-14_05_09.wmf");
    EXPECT_TRUE(QFileInfo(rig.path("17DPage00-14_05_09.wmf")).isDir());
}

} // namespace
} // namespace voltarix::pictures
