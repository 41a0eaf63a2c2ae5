// The standard dialogs and buttons as the program shows them: in Russian,
// from Qt's own translation, with the program's quoted texts untouched.
#include "panel/window_rig.h"
#include "pictures/browser/picture_browser.h"
#include "support/qstring_printer.h"
#include "ui/click_registry.h"
#include "ui/qt_message_service.h"
#include "x11_window.h"

#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

using namespace voltarix;

namespace {

// Runs open, which shows a modal dialog of type Dialog, and reads it while it
// is open and shown by the X server; read must close it.
template <typename Dialog>
void readModal(const std::function<void()>& open, const std::function<void(Dialog&)>& read) {
    bool seen = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible() || seen)
            return;
        seen = true;
        poll.stop();
        static_cast<void>(QTest::qWaitForWindowExposed(dialog));
        read(*dialog);
    });
    poll.start(20);
    open();
    EXPECT_TRUE(seen);
}

QString labelText(const QWidget& dialog, const char* name) {
    const auto* label = dialog.findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<no %1>").arg(QString::fromLatin1(name));
}

QStringList buttonTexts(const QWidget& dialog) {
    QStringList texts;
    for (const auto* box : dialog.findChildren<QDialogButtonBox*>())
        for (const auto* button : box->buttons())
            texts << button->text();
    return texts;
}

} // namespace

TEST(X11StandardDialogs, ThePictureOpenDialogSpeaksRussianAndKeepsTheFilterTexts) {
    testkit::Port378Rig rig;
    pictures::TForm4 browser(rig.window.get());
    readModal<QFileDialog>(
        [&] { browser.openPictureFromDialog(rig.window.get()); },
        [](QFileDialog& dialog) {
            EXPECT_EQ(testkit::X11Window(dialog).netWmName(), "Открыть");
            EXPECT_EQ(labelText(dialog, "lookInLabel"), "Перейти к:");
            EXPECT_EQ(labelText(dialog, "fileNameLabel"), "&Имя файла:");
            EXPECT_EQ(labelText(dialog, "fileTypeLabel"), "Типы файлов:");
            EXPECT_EQ(buttonTexts(dialog), (QStringList{"&Открыть", "Отмена"}));
            const auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            ASSERT_NE(types, nullptr);
            EXPECT_EQ(types->itemText(0), "All (*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf)");
            EXPECT_EQ(types->itemText(3), "Bitmaps (*.bmp)");
            dialog.reject();
        });
}

TEST(X11StandardDialogs, TheColourDialogOfTheLabelsSpeaksRussian) {
    testkit::Port378Rig rig;
    readModal<QColorDialog>([&] { rig.window->clicks().click(QStringLiteral("SpeedButton31")); },
                            [](QColorDialog& dialog) {
                                EXPECT_EQ(testkit::X11Window(dialog).netWmName(), "Выбор цвета");
                                EXPECT_EQ(buttonTexts(dialog), (QStringList{"OK", "Отмена"}));
                                dialog.reject();
                            });
}

TEST(X11StandardDialogs, TheQuestionsButtonsAreYesAndNoInRussianUnderItsOwnTexts) {
    ui::QtMessageService messages;
    readModal<QMessageBox>(
        [&] {
            EXPECT_FALSE(messages.askYesNo(nullptr, QStringLiteral("Caption"),
                                           QStringLiteral("'abc' is not a valid integer value")));
        },
        [](QMessageBox& box) {
            EXPECT_EQ(box.text(), "'abc' is not a valid integer value");
            EXPECT_EQ(testkit::X11Window(box).netWmName(), "Caption");
            EXPECT_EQ(buttonTexts(box), (QStringList{"&Да", "&Нет"}));
            box.done(QMessageBox::No);
        });
}
