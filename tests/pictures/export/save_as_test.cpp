#include "page_pictures_rig.h"
#include "pictures/export/picture_save_filter.h"
#include "ui/click_registry.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>

namespace voltarix::pictures {
namespace {

using testkit::PagePicturesRig;

bool holdsMetafile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(4) == QByteArray::fromHex("d7cdc69a");
}

// Answers the save dialog once it is open, as a user would.
void whenDialogOpens(QFileDialog& dialog, std::function<void(QFileDialog&)> answer) {
    QTimer::singleShot(0, &dialog, [&dialog, answer] { answer(dialog); });
}

// Types the name over what the name field offers and presses Save.
void typeAndSave(QFileDialog& dialog, const QString& name) {
    whenDialogOpens(dialog, [name](QFileDialog& d) {
        auto* field = d.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(field, nullptr);
        field->selectAll();
        QTest::keyClicks(field, name);
        static_cast<QDialog&>(d).accept(); // QFileDialog's own accept, as Save does
    });
}

TEST(PictureSaveFilter, EntriesAndDefaultExtensionComeFromTheFormatRegistry) {
    EXPECT_EQ(PictureSaveFilter::entries(PictureFormat::Bitmap), QStringList({"Bitmaps (*.bmp)"}));
    EXPECT_EQ(PictureSaveFilter::defaultExtension(PictureFormat::Bitmap), "bmp");
    EXPECT_EQ(
        PictureSaveFilter::entries(PictureFormat::Metafile),
        QStringList({"All (*.emf;*.wmf)", "Enhanced Metafiles (*.emf)", "Metafiles (*.wmf)"}));
    EXPECT_EQ(PictureSaveFilter::defaultExtension(PictureFormat::Metafile), "emf");
    EXPECT_EQ(PictureSaveFilter::patterns("All (*.emf;*.wmf)"), QStringList({"*.emf", "*.wmf"}));
}

TEST(SaveAs, TheDialogIsSetForTheDiagramsFormatAndNeverAsksBeforeReplacing) {
    PagePicturesRig rig;
    SavePictureDialog& save = rig.pictures().saveDialog();
    QFileDialog& dialog = save.dialog();
    EXPECT_EQ(dialog.objectName(), "SavePictureDialog1");
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontConfirmOverwrite));
    save.prepare(PictureFormat::Metafile);
    EXPECT_EQ(dialog.nameFilters(), PictureSaveFilter::entries(PictureFormat::Metafile));
    EXPECT_EQ(dialog.selectedNameFilter(), "All (*.emf;*.wmf)");
    EXPECT_EQ(dialog.defaultSuffix(), "emf");
    save.prepare(PictureFormat::Bitmap);
    EXPECT_EQ(dialog.nameFilters(), QStringList({"Bitmaps (*.bmp)"}));
    EXPECT_EQ(dialog.defaultSuffix(), "bmp");
}

TEST(SaveAs, ANameWithoutExtensionGetsEmfAndHoldsAWindowsMetafile) {
    PagePicturesRig rig;
    const QString panel3 = rig.window->statusBar1().panelText(3);
    QFileDialog& dialog = rig.pictures().saveDialog().dialog();
    typeAndSave(dialog, "page");
    rig.find<QToolButton>("SpeedButton30")->click();
    EXPECT_TRUE(holdsMetafile(rig.path("page.emf")));
    EXPECT_EQ(rig.files(), QStringList({"page.emf"}));
    EXPECT_EQ(rig.window->statusBar1().panelText(3), panel3);
    EXPECT_TRUE(rig.messages.boxes.empty());

    typeAndSave(dialog, "other.wmf");
    rig.find<QToolButton>("SpeedButton29")->click();
    EXPECT_TRUE(holdsMetafile(rig.path("other.wmf")));
}

TEST(SaveAs, BitmapFormatSavesTheChartAsABitmapAndOffersTheLastNameAgain) {
    PagePicturesRig rig;
    rig.find<QRadioButton>("RadioButton9")->setChecked(true);
    QFileDialog& dialog = rig.pictures().saveDialog().dialog();
    typeAndSave(dialog, "register");
    rig.window->clicks().click("SpeedButton29");
    const QImage saved(rig.path("register.bmp"));
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), rig.Chart1->toImage());

    // Offered again, and written over without a question.
    QStringList offered;
    whenDialogOpens(dialog, [&offered](QFileDialog& d) {
        offered = d.selectedFiles();
        static_cast<QDialog&>(d).accept(); // QFileDialog's own accept, as Save does
    });
    rig.Chart1->appendPoint(0, 99, chart::PointLabel::number(21), 0xffff0000);
    rig.window->clicks().click("SpeedButton29");
    EXPECT_EQ(offered, QStringList({rig.path("register.bmp")}));
    EXPECT_EQ(QImage(rig.path("register.bmp")).convertToFormat(QImage::Format_RGB32),
              rig.Chart1->toImage());
    EXPECT_EQ(rig.files(), QStringList({"register.bmp"}));
}

// The platform dialog it stands for leaves the process in the folder it saved
// into, and named exports follow the working folder.
TEST(SaveAs, NamedExportsFollowTheFolderAConfirmedDialogSavedInto) {
    PagePicturesRig rig;
    ASSERT_TRUE(QDir(rig.folder.path()).mkdir("pages"));
    QFileDialog& dialog = rig.pictures().saveDialog().dialog();
    whenDialogOpens(dialog, [&rig](QFileDialog& d) { d.setDirectory(rig.path("pages")); });
    typeAndSave(dialog, "first");
    rig.window->clicks().click("SpeedButton30");
    EXPECT_EQ(QDir::currentPath(), rig.path("pages"));
    rig.window->clicks().click("SpeedButton15");
    EXPECT_TRUE(QFile::exists(rig.path("pages/17DPage00-14_05_09.wmf")));

    whenDialogOpens(dialog, [](QFileDialog& d) { d.reject(); });
    QDir::setCurrent(rig.folder.path());
    rig.window->clicks().click("SpeedButton30");
    EXPECT_EQ(QDir::currentPath(), rig.folder.path());
}

TEST(SaveAs, ACancelledDialogDoesNothing) {
    PagePicturesRig rig;
    QFileDialog& dialog = rig.pictures().saveDialog().dialog();
    whenDialogOpens(dialog, [](QFileDialog& d) { d.reject(); });
    rig.window->clicks().click("SpeedButton30");
    EXPECT_TRUE(rig.files().isEmpty());
    EXPECT_TRUE(rig.messages.boxes.empty());
    EXPECT_EQ(rig.pictures().saveDialog().lastFileName(), QString());
}

TEST(SaveAs, ThePreviewShowsTheSelectedPictureAtItsSize) {
    PagePicturesRig rig;
    rig.window->clicks().click("SpeedButton14");
    PicturePreview& preview = rig.pictures().saveDialog().preview();
    preview.showFile(rig.path("17DPage00-14_05_09.bmp"));
    EXPECT_EQ(preview.picture().size(), rig.Chart2->size());
    EXPECT_EQ(preview.sizeText(), "439 x 395");
    preview.showFile(rig.path("missing.bmp"));
    EXPECT_TRUE(preview.picture().isNull());
    EXPECT_EQ(preview.sizeText(), "");
}

} // namespace
} // namespace voltarix::pictures
