// Error boxes raised inside Timer1's tick, with the real timer and real boxes:
// the live monitor and the register diagram must go on while such a box is
// open, as they do behind any other box.
#include "support/fake_port_platform.h"
#include "support/modal_box_watch.h"
#include "support/qstring_printer.h"

#include "app/main_window.h"
#include "chart/chart.h"
#include "port/port_codes.h"
#include "ui/qt_message_service.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

using namespace voltarix;
using testkit::ModalBoxWatch;

namespace {

// The real window over the fake port at $378, with real message boxes.
struct RealBoxRig {
    RealBoxRig() {
        auto platform = std::make_unique<testkit::FakePortPlatform>();
        fake = platform.get();
        fake->port(port::PortCodeLpt1).floating = true;
        window = std::make_unique<app::TForm1>(std::move(platform), messages);
    }
    testkit::FakePort& port() { return fake->port(port::PortCodeLpt2); }
    QLineEdit* field(const char* name) const {
        return window->findChild<QLineEdit*>(QString::fromLatin1(name));
    }
    QString text(const char* name) const { return field(name)->text(); }
    std::int64_t dataBars() const {
        return window->findChild<chart::Chart*>(QStringLiteral("Chart1"))
            ->model()
            .series(0)
            .count();
    }

    ui::QtMessageService messages;
    testkit::FakePortPlatform* fake = nullptr;
    std::unique_ptr<app::TForm1> window;
};

// A working folder that is gone: no file can be created in it, not even by root.
class VanishedWorkingFolder {
public:
    VanishedWorkingFolder() : previous_(QDir::currentPath()) {
        QTemporaryDir gone;
        QDir::setCurrent(gone.path());
    }
    ~VanishedWorkingFolder() { QDir::setCurrent(previous_); }

private:
    QString previous_;
};

} // namespace

TEST(ErrorBoxInTick, TheRegisterFieldsMoveWhileTheCounterErrorBoxIsOpen) {
    RealBoxRig rig;
    ASSERT_TRUE(QTest::qWaitFor([&] { return rig.text("Edit8") == "0"; }, 2000));
    rig.field("Edit17")->setText("abc");

    ModalBoxWatch watch;
    watch.whileOpen = [&] { rig.port().data = 0x5A; };
    watch.done = [&] { return rig.text("Edit8") == "90" && rig.text("Edit7") == "$5A"; };
    rig.port().data = 0x01; // the next tick's driving cycle fails on "abc"
    ASSERT_TRUE(QTest::qWaitFor([&] { return watch.closedFirst(); }, 5000));

    EXPECT_EQ(watch.firstText(), "'abc' is not a valid integer value");
    EXPECT_TRUE(watch.doneWhileOpen()) << "Timer1 stood still behind the box";
    EXPECT_EQ(watch.boxesSeen(), 1) << "the changes behind the box raise no more boxes";
    EXPECT_EQ(rig.dataBars(), 1) << "no bars are recorded from \"abc\"";

    // After the box the next change tries again; with a number it counts on.
    rig.field("Edit17")->setText("41");
    rig.port().data = 0x02;
    EXPECT_TRUE(QTest::qWaitFor([&] { return rig.text("Edit17") == "42"; }, 2000));
    EXPECT_EQ(ModalBoxWatch::openBox(), nullptr);
}

TEST(ErrorBoxInTick, TheMonitorAndTheRegisterDiagramGoOnWhileAnAutosaveErrorIsOpen) {
    RealBoxRig rig;
    rig.window->findChild<QCheckBox*>(QStringLiteral("CheckBox27"))->setChecked(true);
    const VanishedWorkingFolder folder;

    std::int64_t barsWhenOpened = 0;
    ModalBoxWatch watch;
    watch.whileOpen = [&] {
        barsWhenOpened = rig.dataBars();
        rig.port().data = 0x33;
    };
    watch.done = [&] { return rig.text("Edit8") == "51" && rig.dataBars() > barsWhenOpened; };
    // The first poll's data change makes the page number "0": a new page.
    ASSERT_TRUE(QTest::qWaitFor([&] { return watch.closedFirst(); }, 5000));

    EXPECT_TRUE(watch.firstText().startsWith("Cannot create file RegDPage0-"))
        << watch.firstText().toStdString();
    EXPECT_TRUE(watch.doneWhileOpen()) << "Timer1 stood still behind the autosave's box";
    EXPECT_EQ(rig.text("Edit19"), "0");
}
