// The whole program, offscreen, on the guest's real port: the main window
// over the system's port provider, its timers running, as a user starts it.
// Every value it shows is what the kernel and QEMU's port at 0x378 give.

#include "claiming_process.h"
#include "guest_driver.h"
#include "without_raw_io.h"

#include "app/main_window.h"
#include "chart/chart.h"
#include "diagram17/diagram17.h"
#include "diagram17/trace_layout.h"
#include "port/linux/linux_port_platform.h"
#include "port/linux/ppdev_node.h"
#include "support/recording_message_service.h"
#include "ui/spin_edit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QThread>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>

namespace voltarix::kerneltest {
namespace {

using namespace std::chrono_literals;
using Kind = testkit::RecordingMessageService::Kind;

// Where each pin's level comes from, as the connector wires it.
struct PinSource {
    enum Register { Data, Status, Control } reg;
    std::uint8_t mask;
    bool inverted;
};

PinSource pinSource(int pin) {
    switch (pin) {
    case 1:
        return {PinSource::Control, 0x01, true};
    case 10:
        return {PinSource::Status, 0x40, false};
    case 11:
        return {PinSource::Status, 0x80, true};
    case 12:
        return {PinSource::Status, 0x20, false};
    case 13:
        return {PinSource::Status, 0x10, false};
    case 14:
        return {PinSource::Control, 0x02, true};
    case 15:
        return {PinSource::Status, 0x08, false};
    case 16:
        return {PinSource::Control, 0x04, false};
    case 17:
        return {PinSource::Control, 0x08, true};
    default:
        return {PinSource::Data, static_cast<std::uint8_t>(1u << (pin - 2)), false};
    }
}

struct Registers {
    std::uint8_t data, status, control;
};

bool levelOf(int pin, Registers registers) {
    const PinSource source = pinSource(pin);
    const std::uint8_t value = source.reg == PinSource::Data     ? registers.data
                               : source.reg == PinSource::Status ? registers.status
                                                                 : registers.control;
    return ((value & source.mask) != 0) != source.inverted;
}

// The real window on the system's port provider.
class ProgramRun {
public:
    ProgramRun() {
        window =
            std::make_unique<app::TForm1>(std::make_unique<port::LinuxPortPlatform>(), messages);
        window->show();
        // As at start: the window becomes the program's active form.
        window->FormActivate();
    }

    template <typename T = QLineEdit> T* find(const QString& name) const {
        T* control = window->findChild<T*>(name);
        if (!control)
            throw std::runtime_error("no control named " + name.toStdString());
        return control;
    }
    QString text(const QString& name) const { return find(name)->text(); }
    void click(const QString& name) { find<QAbstractButton>(name)->click(); }

    // Lets the timers run until the field shows the text; false after the limit.
    bool waitForText(const QString& name, const QString& expected,
                     std::chrono::milliseconds limit = 10s) {
        QElapsedTimer clock;
        clock.start();
        while (text(name) != expected) {
            if (clock.elapsed() > limit.count())
                return false;
            QApplication::processEvents(QEventLoop::AllEvents, 5);
            QThread::msleep(1);
        }
        return true;
    }
    void expectShown(const QString& name, const QString& expected) {
        EXPECT_TRUE(waitForText(name, expected))
            << name.toStdString() << " shows " << text(name).toStdString() << ", not "
            << expected.toStdString();
    }

    chart::ChartSeries& trace(int k) {
        chart::ChartModel& model = window->diagram17().chart2().model();
        return model.series(model.seriesCount() - diagram17::traceCount + k);
    }

    testkit::RecordingMessageService messages;
    std::unique_ptr<app::TForm1> window;
};

class ProgramOnTheRealPort : public ::testing::Test {
protected:
    GuestDriver driver;
};

TEST_F(ProgramOnTheRealPort, ShowsThePortLiveRecordsItAndLeavesItReleased) {
    ASSERT_NO_THROW(driver.load());
    {
        ProgramRun run;
        auto* selector = run.find<QComboBox>("ComboBox1");
        ASSERT_EQ(selector->count(), 1);
        EXPECT_EQ(selector->itemText(0), "$378");
        EXPECT_EQ(selector->currentText(), "$378");
        EXPECT_EQ(run.text("Edit14"), "   EPP") << "the port can turn its data lines around";
        EXPECT_EQ(run.text("Edit15"), "  9x") << "root may use port instructions";
        EXPECT_EQ(GuestDriver::activeDevice(), "ppdev0");

        // The claim's state: nInit high, nSelectIn low; the idle printer.
        run.expectShown("Edit3", "$0C");
        run.expectShown("Edit4", "12");
        run.expectShown("Edit12", "0 1 1 1");
        run.expectShown("Edit1", "$D8");
        run.expectShown("Edit2", "216");
        run.expectShown("Edit13", "0 1 0 1 1");

        run.find("Edit9")->setText("$5A");
        run.click("SpeedButton3");
        run.expectShown("Edit7", "$5A");
        run.expectShown("Edit8", "90");
        run.expectShown("Edit11", "0 1 0 1 1 0 1 0");

        // Pin 1 low strobes the byte out: the printer drops Busy (pin 11).
        run.click("Button12");
        run.expectShown("Edit3", "$0D");
        run.expectShown("Edit12", "0 1 1 0");
        run.expectShown("Edit1", "$58");
        run.expectShown("Edit13", "1 1 0 1 1");
        // Strobe over: the printer acknowledges and is busy-idle again.
        run.click("Button12");
        run.expectShown("Edit3", "$0C");
        run.expectShown("Edit1", "$D8");

        // Input: the data lines float high; the latch keeps the byte.
        run.click("SpeedButton33");
        run.expectShown("Edit3", "$20");
        run.expectShown("Edit7", "$FF");
        EXPECT_EQ(run.find<QLabel>("StaticText7")->text(), QString::fromUtf8("на вход"));
        run.click("SpeedButton34");
        run.expectShown("Edit3", "$00");
        run.expectShown("Edit7", "$5A");
        EXPECT_EQ(run.find<QLabel>("StaticText7")->text(), QString::fromUtf8("на выход"));

        // A short capture of what the port now shows.
        run.find<ui::SpinEdit>("SpinEdit2")->setText("20");
        run.click("SpeedButton7");
        EXPECT_EQ(run.text("Edit16"), "21");
        const Registers now{0x5A, 0xD8, 0x00};
        for (int k = 0; k < diagram17::traceCount; ++k) {
            const int pin = diagram17::traceTable()[std::size_t(k)].pin;
            ASSERT_EQ(run.trace(k).count(), 21) << "pin " << pin;
            const double level =
                levelOf(pin, now) ? diagram17::highLevel(k) : diagram17::lowLevel(k);
            for (int x = 0; x < 21; ++x)
                EXPECT_EQ(run.trace(k).y(x), level) << "pin " << pin << " cycle " << x + 1;
        }
        EXPECT_TRUE(run.messages.boxes.size() <= 1) << "at most the density question";
    }
    EXPECT_EQ(GuestDriver::activeDevice(), "none");
    for (const char* name : {"parport", "parport_pc", "ppdev"})
        EXPECT_TRUE(GuestDriver::isLoaded(name)) << "not the program's to take out: " << name;
}

TEST_F(ProgramOnTheRealPort, LoadsTheDriverItselfAndTakesItOutAtExit) {
    ASSERT_NO_THROW(driver.unload());
    {
        const WithoutRawIo refused;
        ProgramRun run;
        ASSERT_TRUE(run.messages.boxes.empty());
        EXPECT_EQ(run.find<QComboBox>("ComboBox1")->currentText(), "$378");
        EXPECT_EQ(run.text("Edit15"), "  NT");
        run.expectShown("Edit2", "216");
        run.find("Edit10")->setText("165");
        run.click("SpeedButton4");
        run.expectShown("Edit7", "$A5");
        run.expectShown("Edit11", "1 0 1 0 0 1 0 1");
        for (const char* name : {"parport", "parport_pc", "ppdev"})
            EXPECT_TRUE(GuestDriver::isLoaded(name)) << name;
    }
    for (const char* name : {"parport", "parport_pc", "ppdev"})
        EXPECT_FALSE(GuestDriver::isLoaded(name)) << name;
}

TEST_F(ProgramOnTheRealPort, StartsAtOnceWithAHeldPortAndClaimsItOnceFree) {
    ASSERT_NO_THROW(driver.load());
    const WithoutRawIo refused;
    ClaimingProcess holder("/dev/parport0");
    ASSERT_TRUE(holder.waitUntilClaimed(5s));
    {
        QElapsedTimer clock;
        clock.start();
        ProgramRun run;
        EXPECT_LT(clock.elapsed(), 5000) << "the start waited for the port";
        ASSERT_EQ(run.messages.boxes.size(), 1u);
        EXPECT_EQ(run.messages.boxes[0].caption, "ERROR");
        EXPECT_EQ(run.messages.boxes[0].text,
                  QString::fromUtf8("Ошибка при создании объекта Lpt,  драйвер ERROR,  код = 16"));
        EXPECT_EQ(run.find<QComboBox>("ComboBox1")->count(), 0);
    }
    EXPECT_LT(holder.longestCall(), port::linux_::PpdevNode::ClaimBound);
    holder.letGo();
    ProgramRun next;
    EXPECT_TRUE(next.messages.boxes.empty());
    EXPECT_EQ(next.find<QComboBox>("ComboBox1")->currentText(), "$378");
    EXPECT_EQ(GuestDriver::activeDevice(), "ppdev0");
}

} // namespace
} // namespace voltarix::kerneltest
