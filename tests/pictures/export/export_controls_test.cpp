#include "page_pictures_rig.h"
#include "ui/click_registry.h"
#include "ui/hints.h"

#include <QDir>
#include <QGroupBox>
#include <QImage>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QToolButton>

#include <gtest/gtest.h>

namespace voltarix::pictures {
namespace {

struct Design {
    const char* name;
    const char* caption;
    const char* hint;
    const char* group;
};

// Captions and hints byte for byte: the bitmap buttons begin with a Latin C,
// and some hints end in a blank.
const Design designs[] = {
    {"SpeedButton14", "Cохр. bmp", "В формате *BMP ", "GroupBox7"},
    {"SpeedButton15", "Сохр. wmf", "В формате *WMF", "GroupBox7"},
    {"SpeedButton20", "?", "О форматах", "GroupBox7"},
    {"CheckBox8", "Сохр. автоматич.", "Автосохранение новой страницы", "GroupBox7"},
    {"RadioButton7", "bmp", "Автосохранение в *BMP", "GroupBox7"},
    {"RadioButton8", "wmf", "Автосохранение в *WMF (Реком.)", "GroupBox7"},
    {"SpeedButton25", "Cохр. bmp", "В формате *BMP ", "GroupBox16"},
    {"SpeedButton26", "Сохр. wmf", "В формате *WMF ", "GroupBox16"},
    {"RadioButton9", "bmp", "Автосохранение в *BMP", "GroupBox16"},
    {"RadioButton10", "wmf", "Автосохранение в *WMF", "GroupBox16"},
    {"CheckBox27", "Сохр. автоматич.", "Автосохранение новой страницы", "GroupBox16"},
    {"SpeedButton30", "", "17bit график - Сохранить как...", "TabSheet3"},
    {"SpeedButton29", "", "Reg. график - Сохранить как...", "TabSheet3"},
    {"SpeedButton36", "", "17bit график - Экспорт в VCD...", "TabSheet3"},
};

TEST(PageExportControls, StandOnTheServiceTabAsDesigned) {
    testkit::WindowRig rig;
    EXPECT_EQ(rig.find<QGroupBox>("GroupBox7")->title(), "Сохр. страницу 17 bit");
    EXPECT_EQ(rig.find<QGroupBox>("GroupBox16")->title(), "Сохр. рег. страницу");
    for (const Design& d : designs) {
        auto* control = rig.find<QAbstractButton>(d.name);
        EXPECT_EQ(control->text(), QString::fromUtf8(d.caption)) << d.name;
        EXPECT_EQ(ui::hintOf(control), QString::fromUtf8(d.hint)) << d.name;
        EXPECT_EQ(control->parentWidget()->objectName(), d.group) << d.name;
        QWidget* tab = control->parentWidget();
        while (tab && !tab->objectName().startsWith("TabSheet"))
            tab = tab->parentWidget();
        ASSERT_NE(tab, nullptr);
        EXPECT_EQ(tab->objectName(), "TabSheet3") << d.name;
        if (QString(d.name).startsWith("SpeedButton")) {
            EXPECT_TRUE(rig.window->clicks().contains(d.name)) << d.name;
        }
    }
    EXPECT_FALSE(rig.find<QCheckBox>("CheckBox8")->isChecked());
    EXPECT_FALSE(rig.find<QCheckBox>("CheckBox27")->isChecked());
    EXPECT_FALSE(rig.find<QRadioButton>("RadioButton7")->isChecked());
    EXPECT_TRUE(rig.find<QRadioButton>("RadioButton8")->isChecked());
    EXPECT_FALSE(rig.find<QRadioButton>("RadioButton9")->isChecked());
    EXPECT_TRUE(rig.find<QRadioButton>("RadioButton10")->isChecked());
}

// Each pair is exclusive within its own group only.
TEST(PageExportControls, EachDiagramHasItsOwnFormatPair) {
    testkit::WindowRig rig;
    rig.find<QRadioButton>("RadioButton7")->click();
    EXPECT_FALSE(rig.find<QRadioButton>("RadioButton8")->isChecked());
    EXPECT_TRUE(rig.find<QRadioButton>("RadioButton10")->isChecked());
    rig.find<QRadioButton>("RadioButton9")->click();
    EXPECT_TRUE(rig.find<QRadioButton>("RadioButton7")->isChecked());
    EXPECT_FALSE(rig.find<QRadioButton>("RadioButton10")->isChecked());
}

// In the real window both diagrams are attached: each button writes its page
// of its own chart, under the page text the diagram shows before any capture.
TEST(PageExportControls, TheWindowsButtonsExportBothDiagrams) {
    testkit::WindowRig rig;
    QTemporaryDir folder;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.path());
    for (const char* button : {"SpeedButton14", "SpeedButton15", "SpeedButton25", "SpeedButton26"})
        rig.find<QToolButton>(button)->click();
    QDir::setCurrent(previous);
    QStringList names = QDir(folder.path()).entryList(QDir::Files, QDir::Name);
    ASSERT_EQ(names.size(), 4) << names.join(' ').toStdString();
    EXPECT_TRUE(names[0].startsWith("17DPage00-") && names[0].endsWith(".bmp"))
        << names[0].toStdString();
    EXPECT_TRUE(names[1].startsWith("17DPage00-") && names[1].endsWith(".wmf"))
        << names[1].toStdString();
    EXPECT_TRUE(names[2].startsWith("RegDPage00-") && names[2].endsWith(".bmp"))
        << names[2].toStdString();
    EXPECT_TRUE(names[3].startsWith("RegDPage00-") && names[3].endsWith(".wmf"))
        << names[3].toStdString();
    const QImage page17(folder.filePath(names[0]));
    EXPECT_EQ(page17.size(), rig.find<QWidget>("Chart2")->size());
    const QImage pageRegister(folder.filePath(names[2]));
    EXPECT_EQ(pageRegister.size(), rig.find<QWidget>("Chart1")->size());
    EXPECT_TRUE(rig.messages.boxes.empty());
}

} // namespace
} // namespace voltarix::pictures
