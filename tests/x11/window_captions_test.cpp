#include "app/main_window.h"
#include "panel/window_rig.h"
#include "support/fake_port_platform.h"
#include "support/qstring_printer.h"
#include "ui/application_title.h"
#include "ui/qt_message_service.h"
#include "x11_window.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

using namespace voltarix;

namespace {

struct SeenCaption {
    QString qt;
    QString netWmName;
    QString wmName;
};

SeenCaption captionOf(const QWidget& window) {
    const testkit::X11Window x11(window);
    return {window.windowTitle(), x11.netWmName(), x11.wmName()};
}

// Runs show, which opens a modal message box, and reads the box's caption
// at the X server while it is open; then dismisses it.
SeenCaption captionOfModalBox(const std::function<void()>& show) {
    SeenCaption seen;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || !box->isVisible())
            return;
        poll.stop();
        seen = captionOf(*box);
        box->done(QMessageBox::Ok);
    });
    poll.start(20);
    show();
    return seen;
}

} // namespace

TEST(WindowCaptions, TheDriverFailureBoxIsCaptionedExactlyError) {
    ui::QtMessageService messages;
    std::unique_ptr<app::TForm1> window;
    const SeenCaption seen = captionOfModalBox([&] {
        auto platform = std::make_unique<testkit::FakePortPlatform>();
        platform->openResults = {false};
        platform->openFailureError = 16;
        window = std::make_unique<app::TForm1>(std::move(platform), messages);
    });
    // The program would end here; this test goes on without that request.
    QCoreApplication::removePostedEvents(qApp, QEvent::MetaCall);
    EXPECT_EQ(seen.qt, "ERROR");
    EXPECT_EQ(seen.netWmName, "ERROR");
    EXPECT_EQ(seen.wmName, "ERROR");
}

TEST(WindowCaptions, TheMainWindowCarriesTheProgramTitleForTheTaskBar) {
    EXPECT_EQ(ui::applicationTitle(), " VOLTARIX");
    testkit::WindowRig rig;
    rig.window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(rig.window.get()));
    const SeenCaption seen = captionOf(*rig.window);
    EXPECT_EQ(seen.netWmName, " VOLTARIX");
    EXPECT_EQ(seen.wmName, " VOLTARIX");
}

TEST(WindowCaptions, OtherWindowsAndBoxesKeepTheirOwnCaptions) {
    QWidget browser;
    browser.setObjectName("TForm4");
    browser.setWindowTitle(QStringLiteral("Браузер"));
    browser.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&browser));
    EXPECT_EQ(captionOf(browser).netWmName, QStringLiteral("Браузер"));

    ui::QtMessageService messages;
    SeenCaption seen = captionOfModalBox(
        [&] { messages.showInformation(&browser, QStringLiteral("Информация"), "text"); });
    EXPECT_EQ(seen.netWmName, QStringLiteral("Информация"));

    // The application's standard error box carries the program title.
    seen = captionOfModalBox([&] { messages.showError("'x' is not a valid integer value"); });
    EXPECT_EQ(seen.netWmName, " VOLTARIX");
}
