#include "picture_files.h"
#include "support/qstring_printer.h"
#include "support/recording_message_service.h"

#include "pictures/browser/picture_browser.h"
#include "pictures/browser/picture_open_dialog.h"
#include "pictures/loaders/picture_format_registry.h"
#include "ui/handler_errors.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <gtest/gtest.h>

namespace voltarix::pictures {
namespace {

using testkit::PictureFolder;
using testkit::RecordingMessageService;

QImage filled(QSize size, QColor colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// The browser as the program uses it: errors of the open command end in
// the standard error box.
class PictureBrowserTest : public ::testing::Test {
protected:
    void open(const QString& path) {
        errors.run([&] { browser.openPicture(path); });
    }
    QStringList errorTexts() const {
        QStringList texts;
        for (const auto& box : messages.boxes)
            texts << box.text;
        return texts;
    }

    PictureFolder folder;
    RecordingMessageService messages;
    ui::HandlerErrors errors{messages};
    TForm4 browser;
};

TEST_F(PictureBrowserTest, StartsHiddenAndEmptyUnderItsName) {
    EXPECT_EQ(browser.objectName(), u"TForm4");
    EXPECT_EQ(browser.windowTitle(), u"Браузер");
    EXPECT_FALSE(browser.isVisible());
    EXPECT_TRUE(browser.picture().isNull());
    EXPECT_EQ(browser.image1()->objectName(), u"Image1");
    EXPECT_FALSE(browser.testAttribute(Qt::WA_QuitOnClose));
    browser.showBrowser();
    EXPECT_TRUE(browser.isVisible());
    EXPECT_TRUE(browser.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(browser.windowTitle(), u"Браузер");
}

TEST_F(PictureBrowserTest, UpperCaseBitmapOpensAtItsSizeAtTheTopLeft) {
    const QString path =
        folder.writeImage(QStringLiteral("page.BMP"), filled({123, 45}, Qt::magenta), "bmp");
    open(path);
    EXPECT_TRUE(messages.boxes.empty()) << errorTexts().join(u'\n').toStdString();
    EXPECT_EQ(browser.windowTitle(), QFileInfo(path).absoluteFilePath());
    EXPECT_TRUE(browser.isVisible());
    EXPECT_EQ(browser.picture().size(), QSize(123, 45));
    EXPECT_EQ(browser.image1()->geometry(), QRect(0, 0, 123, 45));
    EXPECT_EQ(browser.image1()->pixmap().size(), QSize(123, 45));
}

TEST_F(PictureBrowserTest, UnknownExtensionChangesOnlyTheCaption) {
    open(folder.writeImage(QStringLiteral("first.bmp"), filled({30, 20}, Qt::red), "bmp"));
    browser.hide();
    const QString png =
        folder.writeImage(QStringLiteral("page.png"), filled({8, 8}, Qt::blue), "png");
    open(png);
    EXPECT_EQ(errorTexts(), QStringList{u"Unknown picture file extension (.png)"_qs});
    EXPECT_EQ(browser.windowTitle(), QFileInfo(png).absoluteFilePath());
    EXPECT_EQ(browser.picture().size(), QSize(30, 20));
    EXPECT_EQ(browser.picture().pixelColor(1, 1), QColor(Qt::red));
    EXPECT_FALSE(browser.isVisible()) << "a failed open does not show the browser";
}

TEST_F(PictureBrowserTest, DamagedFileKeepsTheOldPicture) {
    open(folder.writeImage(QStringLiteral("good.bmp"), filled({30, 20}, Qt::red), "bmp"));
    open(folder.write(QStringLiteral("bad.jpg"), "not a jpeg"));
    open(folder.write(QStringLiteral("bad.wmf"), "not a metafile"));
    open(folder.write(QStringLiteral("bad.bmp"), "BM"));
    ASSERT_EQ(errorTexts().size(), 3);
    EXPECT_TRUE(errorTexts()[0].startsWith(u"JPEG error #"));
    EXPECT_EQ(errorTexts()[1], u"Metafile is not valid");
    EXPECT_EQ(errorTexts()[2], u"Bitmap image is not valid");
    EXPECT_EQ(browser.picture().size(), QSize(30, 20));
    EXPECT_TRUE(browser.windowTitle().endsWith(u"bad.bmp"));
}

TEST_F(PictureBrowserTest, SecondFileReplacesTheFirst) {
    open(folder.writeImage(QStringLiteral("a.bmp"), filled({30, 20}, Qt::red), "bmp"));
    const QString second =
        folder.writeImage(QStringLiteral("b.ico"), filled({16, 16}, Qt::green), "ico");
    open(second);
    EXPECT_EQ(browser.picture().size(), QSize(16, 16));
    EXPECT_EQ(browser.image1()->size(), QSize(16, 16));
    EXPECT_EQ(browser.windowTitle(), QFileInfo(second).absoluteFilePath());
}

TEST_F(PictureBrowserTest, ClosingHidesAndKeepsPictureAndCaption) {
    const QString path =
        folder.writeImage(QStringLiteral("a.bmp"), filled({30, 20}, Qt::red), "bmp");
    open(path);
    ASSERT_TRUE(browser.isVisible());
    EXPECT_TRUE(browser.close());
    EXPECT_FALSE(browser.isVisible());
    browser.showBrowser();
    EXPECT_TRUE(browser.isVisible());
    EXPECT_EQ(browser.picture().size(), QSize(30, 20));
    EXPECT_EQ(browser.windowTitle(), QFileInfo(path).absoluteFilePath());
}

TEST_F(PictureBrowserTest, LargerPictureScrollsInsteadOfShrinking) {
    open(folder.writeImage(QStringLiteral("big.bmp"), filled({900, 700}, Qt::gray), "bmp"));
    browser.showNormal();
    browser.resize(300, 200);
    QApplication::processEvents();
    auto* area = browser.findChild<QScrollArea*>();
    ASSERT_NE(area, nullptr);
    EXPECT_GT(area->horizontalScrollBar()->maximum(), 0);
    EXPECT_GT(area->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(browser.image1()->size(), QSize(900, 700));
}

TEST(OpenPictureDialog, ListsEveryFormatAndPreviewsTheSelectedFile) {
    PictureFolder folder;
    OpenPictureDialog dialog;
    EXPECT_EQ(dialog.objectName(), u"OpenPictureDialog1");
    auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    ASSERT_NE(types, nullptr);
    ASSERT_EQ(types->count(), 7);
    EXPECT_EQ(types->itemText(0), u"All (*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf)");
    EXPECT_EQ(types->itemText(6), u"Metafiles (*.wmf)");
    const QString path =
        folder.writeImage(QStringLiteral("p.bmp"), filled({64, 48}, Qt::cyan), "bmp");
    dialog.showPreviewOf(path);
    EXPECT_EQ(dialog.previewImage().size(), QSize(64, 48));
    dialog.showPreviewOf(folder.write(QStringLiteral("bad.bmp"), "x"));
    EXPECT_TRUE(dialog.previewImage().isNull());
}

TEST(OpenPictureDialog, TypedNamePreviewsToo) {
    PictureFolder folder;
    folder.writeImage(QStringLiteral("typed.bmp"), filled({24, 12}, Qt::yellow), "bmp");
    OpenPictureDialog dialog;
    dialog.setDirectory(folder.path(QString()));
    auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(name, nullptr);
    name->setText(QStringLiteral("typed.bmp"));
    EXPECT_EQ(dialog.previewImage().size(), QSize(24, 12));
    name->setText(QStringLiteral("typed.bm"));
    EXPECT_TRUE(dialog.previewImage().isNull());
}

// The open command runs the modal dialog; a test answers it from inside.
void answerDialog(const std::function<void(OpenPictureDialog&)>& answer) {
    QTimer::singleShot(0, [answer] {
        auto* dialog = qobject_cast<OpenPictureDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        answer(*dialog);
    });
}

TEST_F(PictureBrowserTest, OpenCommandOpensTheChosenFileAndCancelDoesNothing) {
    answerDialog([](OpenPictureDialog& dialog) { dialog.reject(); });
    browser.openPictureFromDialog(nullptr);
    EXPECT_EQ(browser.windowTitle(), u"Браузер");
    EXPECT_FALSE(browser.isVisible());

    const QString path =
        folder.writeImage(QStringLiteral("c.bmp"), filled({50, 40}, Qt::blue), "bmp");
    answerDialog([path](OpenPictureDialog& dialog) {
        dialog.selectFile(path);
        static_cast<QDialog&>(dialog).accept();
    });
    browser.openPictureFromDialog(nullptr);
    EXPECT_EQ(browser.windowTitle(), QFileInfo(path).absoluteFilePath());
    EXPECT_EQ(browser.picture().size(), QSize(50, 40));
    EXPECT_TRUE(browser.isVisible());
}

QStringList listedNames(const OpenPictureDialog& dialog) {
    auto* list = dialog.findChild<QListView*>(QStringLiteral("listView"));
    QStringList names;
    for (int row = 0; list && row < list->model()->rowCount(list->rootIndex()); ++row)
        names << list->model()->index(row, 0, list->rootIndex()).data().toString();
    return names;
}

QPushButton* openButton(const OpenPictureDialog& dialog) {
    auto* buttons = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    return buttons ? buttons->button(QDialogButtonBox::Open) : nullptr;
}

// The filter hides page.png from the list, but a name typed in full opens
// like any other, by the Open button as by Enter, as the platform dialog
// lets it; the browser then refuses it with its own error.
TEST_F(PictureBrowserTest, AFileNameTypedInFullOpensThoughTheFilterHidesIt) {
    const QString png =
        folder.writeImage(QStringLiteral("page.png"), filled({8, 8}, Qt::blue), "png");
    folder.writeImage(QStringLiteral("shown.bmp"), filled({8, 8}, Qt::red), "bmp");
    for (const bool byEnter : {false, true}) {
        QStringList listed;
        bool openEnabled = false;
        bool accepted = false;
        answerDialog([&](OpenPictureDialog& dialog) {
            dialog.setDirectory(QFileInfo(png).absolutePath());
            static_cast<void>(QTest::qWaitFor(
                [&] { return listedNames(dialog).contains(u"shown.bmp"_qs); }, 3000));
            listed = listedNames(dialog);
            auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QTest::keyClicks(name, QStringLiteral("page.png"));
            openEnabled = openButton(dialog)->isEnabled();
            if (byEnter)
                QTest::keyClick(name, Qt::Key_Return);
            else
                QTest::mouseClick(openButton(dialog), Qt::LeftButton);
            accepted = !dialog.isVisible();
            if (!accepted)
                dialog.reject();
        });
        messages.boxes.clear();
        errors.run([&] { browser.openPictureFromDialog(nullptr); });
        EXPECT_EQ(listed, QStringList{u"shown.bmp"_qs})
            << "the filter hides what it does not match";
        EXPECT_TRUE(openEnabled) << "Open stays disabled for a typed name";
        EXPECT_TRUE(accepted) << (byEnter ? "Enter" : "the Open button");
        EXPECT_EQ(errorTexts(), QStringList{u"Unknown picture file extension (.png)"_qs});
        EXPECT_EQ(browser.windowTitle(), QFileInfo(png).absoluteFilePath());
    }
}

QStringList treeNames(const OpenPictureDialog& dialog) {
    auto* tree = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    QStringList names;
    for (int row = 0; tree && row < tree->model()->rowCount(tree->rootIndex()); ++row)
        names << tree->model()->index(row, 0, tree->rootIndex()).data().toString();
    return names;
}

// Hiding the unmatched files in the lists must not change what the lists do:
// another filter shows its own files, and a column sorts by what it means.
TEST(OpenPictureDialog, TheListsFollowTheChosenFilterAndSortSizesAsSizes) {
    PictureFolder folder;
    folder.writeImage(QStringLiteral("a.bmp"), filled({30, 30}, Qt::red), "bmp");   // 2.69 KiB
    folder.writeImage(QStringLiteral("b.bmp"), filled({16, 16}, Qt::green), "bmp"); // 822 bytes
    folder.writeImage(QStringLiteral("c.ico"), filled({16, 16}, Qt::blue), "ico");
    folder.writeImage(QStringLiteral("d.png"), filled({8, 8}, Qt::blue), "png");
    OpenPictureDialog dialog;
    dialog.setDirectory(folder.path(QString()));
    dialog.show();
    const auto shows = [&](const QStringList& names) {
        return QTest::qWaitFor([&] { return treeNames(dialog) == names; }, 3000);
    };
    EXPECT_TRUE(shows({"a.bmp", "b.bmp", "c.ico"})) << treeNames(dialog).join(' ').toStdString();

    auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    types->setFocus();
    QTest::keyClick(types, Qt::Key_End); // "Metafiles (*.wmf)"
    EXPECT_TRUE(shows({})) << treeNames(dialog).join(' ').toStdString();
    for (int i = 0; i < 2; ++i)
        QTest::keyClick(types, Qt::Key_Up); // "Icons (*.ico)"
    EXPECT_TRUE(shows({"c.ico"})) << treeNames(dialog).join(' ').toStdString();
    QTest::keyClick(types, Qt::Key_Up); // "Bitmaps (*.bmp)"
    EXPECT_TRUE(shows({"a.bmp", "b.bmp"})) << treeNames(dialog).join(' ').toStdString();

    auto* tree = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    tree->sortByColumn(1, Qt::AscendingOrder);
    EXPECT_TRUE(shows({"b.bmp", "a.bmp"})) << treeNames(dialog).join(' ').toStdString();
}

} // namespace
} // namespace voltarix::pictures
