#include "panel/window_rig.h"
#include "support/qstring_printer.h"

#include <QLineEdit>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>

using namespace voltarix;

namespace {

// Real key presses through the X server (XTEST), to whatever has the focus.
void pressKeys(const QStringList& keys) {
    ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), QStringList{"key"} + keys), 0);
}

struct FocusedWindow : testkit::Port378Rig {
    FocusedWindow() {
        window->show();
        window->activateWindow();
        active = QTest::qWaitForWindowActive(window.get());
    }
    // Gives the field the focus with the text and cursor, presses the keys
    // and waits until the field's text changes.
    QString pressIn(const char* name, const QString& text, int cursor, const QStringList& keys) {
        QLineEdit* field = find(QString::fromLatin1(name));
        field->setFocus();
        field->setText(text);
        field->setCursorPosition(cursor);
        pressKeys(keys);
        static_cast<void>(QTest::qWaitFor([&] { return field->text() != text; }, 3000));
        return field->text();
    }
    bool active = false;
};

} // namespace

TEST(X11Keys, DeleteWorksInAllFourRegisterFields) {
    FocusedWindow rig;
    ASSERT_TRUE(rig.active);
    for (const char* name : {"Edit5", "Edit6", "Edit9", "Edit10"})
        EXPECT_EQ(rig.pressIn(name, "123", 0, {"Delete"}), "23") << name;
}

TEST(X11Keys, BackspaceWorksInTheHexFieldsAndNotInTheDecimalOnes) {
    FocusedWindow rig;
    ASSERT_TRUE(rig.active);
    // The 7 after Backspace shows that the key press has arrived.
    for (const char* name : {"Edit5", "Edit9"})
        EXPECT_EQ(rig.pressIn(name, "$12", 3, {"BackSpace", "7"}), "$17") << name;
    for (const char* name : {"Edit6", "Edit10"})
        EXPECT_EQ(rig.pressIn(name, "12", 2, {"BackSpace", "7"}), "127") << name;
}
