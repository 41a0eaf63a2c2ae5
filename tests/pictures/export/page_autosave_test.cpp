#include "page_pictures_rig.h"

#include <QRadioButton>
#include <QToolButton>

#include <gtest/gtest.h>

namespace voltarix::pictures {
namespace {

using testkit::PagePicturesRig;
using Kind = testkit::RecordingMessageService::Kind;

TEST(PageAutosave, NewPageOfThe17BitDiagramBeepsAndSavesInItsFormat) {
    PagePicturesRig rig;
    rig.CheckBox7.setChecked(true);
    rig.find<QCheckBox>("CheckBox8")->setChecked(true);
    rig.Edit18.setText("0"); // the first page-timer tick of the first capture
    EXPECT_EQ(rig.beeps, 1);
    EXPECT_EQ(rig.files(), QStringList({"17DPage0-14_05_09.wmf"}));
    EXPECT_EQ(rig.window->statusBar1().panelText(3), "файл: 0-14_05_09.wmf");

    rig.find<QRadioButton>("RadioButton7")->setChecked(true);
    rig.Edit18.setText("1");
    EXPECT_EQ(rig.beeps, 2);
    EXPECT_EQ(rig.files(), QStringList({"17DPage0-14_05_09.wmf", "17DPage1-14_05_09.bmp"}));

    rig.Edit18.setText("1"); // the same text is no new page
    EXPECT_EQ(rig.beeps, 2);
    EXPECT_EQ(rig.files().size(), 2);
}

TEST(PageAutosave, TheNewPageBeepSoundsWithAutosaveOffAndOnlyWhenTicked) {
    PagePicturesRig rig;
    rig.Edit18.setText("0");
    EXPECT_EQ(rig.beeps, 0);
    rig.CheckBox7.setChecked(true);
    rig.Edit18.setText("1");
    EXPECT_EQ(rig.beeps, 1);
    EXPECT_TRUE(rig.files().isEmpty());
}

TEST(PageAutosave, TheRegisterDiagramSavesWithoutABeep) {
    PagePicturesRig rig;
    rig.CheckBox7.setChecked(true);
    rig.Edit19.setText("0");
    EXPECT_TRUE(rig.files().isEmpty());
    rig.find<QCheckBox>("CheckBox27")->setChecked(true);
    rig.Edit19.setText("1");
    rig.find<QRadioButton>("RadioButton9")->setChecked(true);
    rig.Edit19.setText("2");
    EXPECT_EQ(rig.beeps, 0);
    EXPECT_EQ(rig.files(), QStringList({"RegDPage1-14_05_09.wmf", "RegDPage2-14_05_09.bmp"}));
    EXPECT_EQ(rig.window->statusBar1().panelText(4), "файл[R]: 2-14_05_09.bmp");
}

// The error box opens while the field is written; the writer carries on and
// the next page tries again.
TEST(PageAutosave, AFailedAutosaveShowsItsErrorAndTheNextPageTriesAgain) {
    PagePicturesRig rig;
    rig.find<QCheckBox>("CheckBox8")->setChecked(true);
    ASSERT_TRUE(QDir(rig.folder.path()).mkdir("17DPage0-14_05_09.wmf"));
    rig.Edit18.setText("0");
    EXPECT_EQ(rig.Edit18.text(), "0");
    ASSERT_EQ(rig.messages.boxes.size(), 1u);
    EXPECT_EQ(rig.messages.boxes[0].kind, Kind::Error);
    EXPECT_EQ(rig.messages.boxes[0].text, "Cannot create file 17DPage0-14_05_09.wmf");
    EXPECT_EQ(rig.window->statusBar1().panelText(3), "Сохранение emf файла...");
    rig.Edit18.setText("1");
    EXPECT_EQ(rig.messages.boxes.size(), 1u);
    EXPECT_TRUE(QFile::exists(rig.path("17DPage1-14_05_09.wmf")));
}

// N23 / N24 flip the autosave (and save-as) format; the export buttons keep theirs.
TEST(PageAutosave, FormatSwitchesFlipTheirPairOnlyAndLeaveTheButtonsAlone) {
    PagePicturesRig rig;
    auto* bmp17 = rig.find<QRadioButton>("RadioButton7");
    auto* wmf17 = rig.find<QRadioButton>("RadioButton8");
    auto* bmpReg = rig.find<QRadioButton>("RadioButton9");
    rig.pictures().N23Click();
    EXPECT_TRUE(bmp17->isChecked());
    EXPECT_FALSE(wmf17->isChecked());
    EXPECT_FALSE(bmpReg->isChecked());
    rig.pictures().N23Click();
    EXPECT_TRUE(wmf17->isChecked());
    rig.pictures().N24Click();
    EXPECT_TRUE(bmpReg->isChecked());
    EXPECT_TRUE(wmf17->isChecked());

    rig.find<QCheckBox>("CheckBox27")->setChecked(true);
    rig.Edit19.setText("4");
    rig.find<QToolButton>("SpeedButton26")->click();
    rig.find<QToolButton>("SpeedButton14")->click();
    EXPECT_EQ(rig.files(), QStringList({"17DPage00-14_05_09.bmp", "RegDPage4-14_05_09.bmp",
                                        "RegDPage4-14_05_09.wmf"}));
}

TEST(PageAutosave, QuestionMarkTellsAboutTheFormats) {
    PagePicturesRig rig;
    rig.find<QToolButton>("SpeedButton20")->click();
    ASSERT_EQ(rig.messages.boxes.size(), 1u);
    EXPECT_EQ(rig.messages.boxes[0].kind, Kind::Information);
    EXPECT_EQ(rig.messages.boxes[0].caption, "О форматах");
    EXPECT_EQ(rig.messages.boxes[0].text,
              "BMP - стандартный формат, можно редактировать в \"Paint\" ;  EMF(Метафайл) -  "
              "поддерживается практически всеми редакторами и вьюнерами (Встроенный в "
              "WindowsME и выше).");
}

} // namespace
} // namespace voltarix::pictures
