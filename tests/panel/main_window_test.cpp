#include "window_rig.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QEvent>
#include <QEventLoop>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

using namespace voltarix;
using voltarix::testkit::FakePortPlatform;
using voltarix::testkit::RecordingMessageService;
using voltarix::testkit::WindowRig;

namespace {

QStringList items(const QComboBox* box) {
    QStringList list;
    for (int i = 0; i < box->count(); ++i)
        list << box->itemText(i);
    return list;
}

// Makes the window the application's active window, as the platform does
// when the window system hands it the focus (nullptr: another application).
void activate(QWidget* window) {
    if (window != nullptr && !window->isVisible())
        window->show();
    QApplication::setActiveWindow(window);
}

// A top-level window standing in for another of the program's forms.
struct OtherForm : QWidget {
    OtherForm() { setObjectName(QStringLiteral("TForm2")); }
};

} // namespace

TEST(PortSelector, ListsAnsweringPortsInFixedOrderAndSelectsTheFirst) {
    WindowRig rig;
    auto* selector = rig.find<QComboBox>("ComboBox1");
    EXPECT_EQ(items(selector), (QStringList{"$3BC", "$378", "$278"}));
    EXPECT_EQ(selector->currentText(), "$3BC");
}

TEST(PortSelector, OnlyTheSecondAndThirdAnswering) {
    WindowRig rig([](FakePortPlatform& f) { f.port(port::PortCodeLpt1).floating = true; });
    auto* selector = rig.find<QComboBox>("ComboBox1");
    EXPECT_EQ(items(selector), (QStringList{"$378", "$278"}));
    EXPECT_EQ(selector->currentText(), "$378");
    EXPECT_EQ(rig.window->portPanel().pins().SelectedPortCode(), 0x20);
}

TEST(PortSelector, NoPortAnsweringLeavesAnEmptyTextThatNamesTheThirdPort) {
    WindowRig rig([](FakePortPlatform& f) {
        for (auto code : {port::PortCodeLpt1, port::PortCodeLpt2, port::PortCodeLpt3})
            f.port(code).floating = true;
    });
    auto* selector = rig.find<QComboBox>("ComboBox1");
    EXPECT_EQ(selector->count(), 0);
    EXPECT_EQ(selector->currentText(), "");
    EXPECT_EQ(rig.window->portPanel().pins().SelectedPortCode(), 0x30);
}

TEST(PortSelector, FillingTouchesNothingButTheDataRegisters) {
    WindowRig rig;
    ASSERT_FALSE(rig.fake->log.empty());
    for (const auto& access : rig.fake->log) {
        if (access.write) {
            EXPECT_EQ(access.selector & 0x07, 0) << "write to selector " << int(access.selector);
        }
    }
}

TEST(PortSelector, TypedTextSelectsByExactMatchAndRefreshesCapability) {
    WindowRig rig(
        [](FakePortPlatform& f) { f.port(port::PortCodeLpt3).directionBitWorks = false; });
    auto* selector = rig.find<QComboBox>("ComboBox1");
    selector->setEditText("$378");
    EXPECT_EQ(rig.text("Edit14"), "   EPP");
    selector->setEditText("$378 ");
    EXPECT_EQ(rig.window->portPanel().pins().SelectedPortCode(), 0x30);
    EXPECT_EQ(rig.text("Edit14"), "   SPP") << "the port at 0x278 has no direction bit";
    selector->setEditText("$3bc");
    EXPECT_EQ(rig.window->portPanel().pins().SelectedPortCode(), 0x30);
}

TEST(Activation, RefreshesCapabilityAndSetsTheCaptureStopFlag) {
    WindowRig rig(
        [](FakePortPlatform& f) { f.port(port::PortCodeLpt1).directionBitWorks = false; });
    EXPECT_FALSE(rig.window->captureStopFlag());
    EXPECT_EQ(rig.text("Edit14"), "   SPP") << "design text until the first activation";
    activate(rig.window.get());
    EXPECT_EQ(rig.text("Edit14"), "   SPP") << "$3BC is selected and has no direction bit";
    EXPECT_TRUE(rig.window->captureStopFlag());
    EXPECT_EQ(rig.text("Edit15"), "  NT");

    rig.find<QComboBox>("ComboBox1")->setCurrentIndex(1);
    rig.window->setCaptureStopFlag(false);
    OtherForm about;
    activate(&about);
    rig.find("Edit14")->setText("stale");
    activate(rig.window.get());
    EXPECT_EQ(rig.text("Edit14"), "   EPP");
    EXPECT_TRUE(rig.window->captureStopFlag()) << "every activation sets it, not only the first";
}

TEST(Activation, ClosingAMessageBoxOrADialogIsNoActivation) {
    WindowRig rig;
    activate(rig.window.get());
    rig.window->setCaptureStopFlag(false);

    QMessageBox box(QMessageBox::Information, "Информация", "text", QMessageBox::Ok,
                    rig.window.get());
    activate(&box);
    box.close();
    activate(rig.window.get());
    EXPECT_FALSE(rig.window->captureStopFlag()) << "a running capture would have stopped";

    QDialog dialog(rig.window.get());
    activate(&dialog);
    dialog.close();
    activate(rig.window.get());
    EXPECT_FALSE(rig.window->captureStopFlag());
}

TEST(Activation, ComingBackFromAnotherApplicationIsNoActivation) {
    WindowRig rig;
    activate(rig.window.get());
    rig.window->setCaptureStopFlag(false);
    activate(nullptr);
    activate(rig.window.get());
    EXPECT_FALSE(rig.window->captureStopFlag()) << "Alt+Tab would have stopped a capture";

    // Left from another form, the program's active form was that form.
    OtherForm browser;
    activate(&browser);
    activate(nullptr);
    activate(rig.window.get());
    EXPECT_TRUE(rig.window->captureStopFlag());
}

TEST(Activation, UnprotectedPlatformShowsNineX) {
    WindowRig rig([](FakePortPlatform& f) {
        f.protectedPlatform = false;
        f.openResults = {false};
    });
    activate(rig.window.get());
    EXPECT_EQ(rig.text("Edit15"), "  9x");
}

TEST(StartUpFailure, ShowsTheDriverErrorWithTheCodeAndEndsTheProgram) {
    WindowRig rig([](FakePortPlatform& f) {
        f.openResults = {false};
        f.openFailureError = 1060;
    });
    ASSERT_EQ(rig.messages.boxes.size(), 1u);
    const auto& box = rig.messages.boxes.front();
    EXPECT_EQ(box.kind, RecordingMessageService::Kind::Plain);
    EXPECT_EQ(box.caption, "ERROR");
    EXPECT_EQ(box.text,
              QString::fromUtf8("Ошибка при создании объекта Lpt,  драйвер ERROR,  код = 1060"));
    // Creation ran to its end: the selector was filled by probing, which finds nothing.
    EXPECT_EQ(rig.find<QComboBox>("ComboBox1")->count(), 0);

    // The quit request waits for the message loop.
    QEventLoop loop;
    QTimer::singleShot(5000, &loop, [&loop] { loop.exit(7); });
    EXPECT_EQ(loop.exec(), EXIT_FAILURE) << "the program was not asked to end";
}

TEST(WindowLifetime, DestructionStopsTheTimersBeforeTheConnectionGoes) {
    WindowRig rig([](FakePortPlatform& f) {
        f.openResults = {false};
        f.opensAfterServiceStart = true;
    });
    auto teardown = rig.fake->teardown;
    auto* timer1 = rig.find<QTimer>("Timer1");
    auto* timer2 = rig.find<QTimer>("Timer2");
    EXPECT_TRUE(timer1->isActive());
    EXPECT_TRUE(timer2->isActive());
    EXPECT_EQ(timer1->interval(), 1);
    rig.window.reset();
    EXPECT_EQ(teardown->closes, 1);
    EXPECT_EQ(teardown->serviceRemovals, 1);
}
