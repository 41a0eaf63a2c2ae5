// An autosave of the 17-bit diagram that fails while a capture runs, with the
// real page timer and real boxes: the capture goes on behind the error box.
#include "support/fake_port_platform.h"
#include "support/qstring_printer.h"

#include "app/main_window.h"
#include "diagram17/cycle_counter.h"
#include "diagram17/diagram17.h"
#include "port/port_codes.h"
#include "ui/click_registry.h"
#include "ui/qt_message_service.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

#include <memory>

using namespace voltarix;

TEST(AutosaveDuringCapture, TheCaptureGoesOnWhileTheAutosaveErrorIsOpen) {
    ui::QtMessageService messages;
    auto platform = std::make_unique<testkit::FakePortPlatform>();
    platform->port(port::PortCodeLpt1).floating = true;
    app::TForm1 window(std::move(platform), messages);
    window.findChild<QCheckBox*>(QStringLiteral("CheckBox6"))->setChecked(true); // unlimited
    window.findChild<QCheckBox*>(QStringLiteral("CheckBox8"))->setChecked(true); // autosave
    const QString previousFolder = QDir::currentPath();
    {
        // A working folder that is gone: no page can be saved, not even by root.
        QTemporaryDir gone;
        QDir::setCurrent(gone.path());
    }
    const auto cycles = [&] { return window.diagram17().counter().value(); };

    QString errorText;
    bool movedBehindTheBox = false;
    bool finished = false;
    std::int64_t atOpen = -1;
    QElapsedTimer open;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (finished)
            return;
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        if (box->standardButtons() & QMessageBox::Yes) {
            box->done(QMessageBox::Yes); // the density question of the first run
            return;
        }
        if (atOpen < 0) {
            errorText = box->text();
            atOpen = cycles();
            open.start();
            return;
        }
        movedBehindTheBox = cycles() > atOpen + 100;
        if (movedBehindTheBox || open.elapsed() > 1500) {
            finished = true;
            box->done(QMessageBox::Ok);
            window.clicks().click(QStringLiteral("SpeedButton8")); // stop
        }
    });
    watch.start(2);
    window.findChild<QToolButton*>(QStringLiteral("SpeedButton7"))->click();
    const bool stopped =
        QTest::qWaitFor([&] { return finished && window.captureStopFlag(); }, 8000);
    QDir::setCurrent(previousFolder);

    ASSERT_TRUE(stopped);
    EXPECT_TRUE(errorText.startsWith("Cannot create file 17DPage")) << errorText.toStdString();
    EXPECT_TRUE(movedBehindTheBox) << "the capture stood still behind the autosave's box";
}
