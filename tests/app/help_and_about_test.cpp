#include "shell_rig.h"

#include "app/about_text.h"
#include "app/about_window.h"
#include "app/help_boxes.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextList>
#include <gtest/gtest.h>

using namespace voltarix;
using voltarix::testkit::RecordingMessageService;
using voltarix::testkit::ShellRig;

TEST(HelpBoxes, ThanksShowsExactlyTwoBoxesInOrder) {
    ShellRig rig;
    rig.find<QAction>("N7")->trigger();
    ASSERT_EQ(rig.messages.boxes.size(), 2u);
    for (const auto& box : rig.messages.boxes) {
        EXPECT_EQ(box.kind, RecordingMessageService::Kind::Information);
        EXPECT_EQ(box.caption, "Благодарности");
    }
    EXPECT_EQ(rig.messages.boxes[1].text, "Если Вас не затруднит, присылайте свои отзывы и "
                                          "предложения, или пишите в гостевую книгу");
    EXPECT_NE(rig.messages.boxes[0].text, rig.messages.boxes[1].text);
}

TEST(HelpBoxes, DriverAndMirandelBoxes) {
    ShellRig rig;
    rig.find<QAction>("N6")->trigger();
    rig.find<QAction>("N11")->trigger();
    ASSERT_EQ(rig.messages.boxes.size(), 2u);
    EXPECT_EQ(rig.messages.boxes[0].caption, "О драйвере");
    EXPECT_TRUE(rig.messages.boxes[0].text.contains("LPTWDMIO.SYS"));
    EXPECT_EQ(rig.messages.boxes[1].kind, RecordingMessageService::Kind::Information);
    EXPECT_EQ(rig.messages.boxes[1].caption, "О проекте Mirandel");
    // With the Latin "c" of the original text.
    EXPECT_EQ(rig.messages.boxes[1].text,
              "Для ускорения создания приложений к LPT, Вы можете скачать готовый шаблон, где "
              "добавленны функции Pin и процедуры Pin клавиатуры, c помощью которых чрезвычайно "
              "просто управлять битами регистров порта LPT.");
}

TEST(HelpBoxes, NoAddressesOrMailAnywhere) {
    QTextDocument about;
    app::writeAboutText(about);
    const QStringList texts{about.toPlainText(), app::HelpBoxes::thanksFirstText,
                            app::HelpBoxes::thanksSecondText, app::HelpBoxes::driverText,
                            app::HelpBoxes::mirandelText};
    for (const QString& text : texts) {
        EXPECT_FALSE(text.contains('@')) << text.toStdString();
        EXPECT_FALSE(text.contains("http")) << text.toStdString();
        EXPECT_FALSE(text.contains("www")) << text.toStdString();
    }
}

TEST(AboutWindow, CarriesItsPicturesLabelsTextAndButton) {
    app::TForm2 about;
    EXPECT_EQ(about.windowTitle(), "О программе");
    EXPECT_EQ(about.findChild<QLabel*>("Label1")->text(), " VOLTARIX ");
    EXPECT_EQ(about.findChild<QLabel*>("Label2")->text(),
              "Программа предназначена для снятия цифровых сигналов и протоколов работающих "
              "устройств, использующих или подключённых к параллельному (LPT 1-3) порту "
              "компьютера,в ОС Windows 95/98/ME/NT/2000/XP.");
    EXPECT_EQ(about.findChild<QLabel*>("Image1")->pixmap().size(), QSize(32, 32));
    EXPECT_EQ(about.findChild<QLabel*>("Image2")->pixmap().size(), QSize(132, 34));
    EXPECT_EQ(about.BitBtn1->text(), "Это хорошо");
    EXPECT_FALSE(about.RichEdit1->isReadOnly());
    EXPECT_EQ(about.pos(), QPoint(194, 39));
}

TEST(AboutWindow, TextFollowsTheOutlineAndEndsWithTheVersionLine) {
    QTextDocument about;
    app::writeAboutText(about);
    const QStringList lines = about.toPlainText().split('\n');
    ASSERT_GE(lines.size(), 24);
    EXPECT_EQ(lines[0], "  Графический   запоминающий анализатор-");
    EXPECT_EQ(lines[1], "осциллограф имеет следующие возможности:");
    EXPECT_EQ(lines.last(), "            Версия  1.3    (обновлена  21. 08. 04)");
    EXPECT_EQ(lines[lines.size() - 3], QString(25, '^'));

    int lists = 0;
    for (QTextBlock block = about.begin(); block.isValid(); block = block.next()) {
        if (block.textList() && block.textList()->itemNumber(block) == 0) {
            ++lists;
            EXPECT_EQ(block.textList()->count(), 9) << "nine capabilities each";
        }
    }
    EXPECT_EQ(lists, 2);
}
