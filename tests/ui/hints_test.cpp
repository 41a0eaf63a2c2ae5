#include "ui/hints.h"

#include <QApplication>
#include <QEvent>
#include <QHelpEvent>
#include <QLabel>
#include <QWidget>
#include <gtest/gtest.h>

using voltarix::ui::HintDisplay;
using voltarix::ui::hintOf;
using voltarix::ui::setHint;

namespace {

struct HintRig {
    HintRig() : display([this](const QString& hint) { shown = hint; }, nullptr) {
        group.setToolTip("group hint");
        setHint(&field, "field hint");
        setHint(&silent, "silent hint", false);
        field.setParent(&group);
        plain.setParent(&group);
        silent.setParent(&group);
        qApp->installEventFilter(&display);
    }
    ~HintRig() { qApp->removeEventFilter(&display); }

    void enter(QWidget& w) {
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(&w, &enter);
    }
    bool toolTipEaten(QWidget& w) {
        QHelpEvent help(QEvent::ToolTip, QPoint(1, 1), QPoint(1, 1));
        return display.eventFilter(&w, &help);
    }

    QString shown = "untouched";
    HintDisplay display;
    QWidget group;
    QLabel field;
    QLabel plain;
    QLabel silent;
};

} // namespace

TEST(HintDisplay, ShowsTheHintOfTheControlOrItsNearestParent) {
    HintRig rig;
    rig.enter(rig.field);
    EXPECT_EQ(rig.shown, "field hint");
    rig.enter(rig.plain);
    EXPECT_EQ(rig.shown, "group hint") << "a control without a hint shows its parent's";
    EXPECT_EQ(hintOf(&rig.group), "group hint");
}

TEST(HintDisplay, SwitchedOffHintsReachTheStatusBarButDoNotPopUp) {
    HintRig rig;
    rig.enter(rig.silent);
    EXPECT_EQ(rig.shown, "silent hint");
    EXPECT_TRUE(rig.toolTipEaten(rig.silent));
    EXPECT_FALSE(rig.toolTipEaten(rig.field));
}
