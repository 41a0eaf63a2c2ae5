#include "fake_cpu_clock.h"
#include "support/fake_port_platform.h"
#include "support/recording_message_service.h"

#include "app/about_window.h"
#include "app/main_menu_design.h"
#include "app/main_window.h"
#include "app/splash_window.h"
#include "app/startup.h"
#include "pictures/browser/picture_browser.h"
#include "ui/application_title.h"
#include "ui/click_registry.h"
#include "ui/status_bar.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>
#include <QToolTip>
#include <algorithm>
#include <gtest/gtest.h>

using namespace voltarix;
using voltarix::testkit::FakeCycleClock;
using voltarix::testkit::FakePortPlatform;
using voltarix::testkit::RecordingMessageService;

namespace {

app::TForm3* visibleSplash() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* splash = qobject_cast<app::TForm3*>(widget); splash && splash->isVisible())
            return splash;
    }
    return nullptr;
}

// Start-up over the fake port; whatever the test wants to happen while the
// main window is being created runs inside the factory.
struct StartupRig {
    explicit StartupRig(std::function<void()> duringCreation = {})
        : clock(2400.0), startup([this, duringCreation] {
              creation.splashVisible = visibleSplash() != nullptr;
              creation.title = ui::applicationTitle();
              creation.aboutExisted =
                  std::ranges::any_of(QApplication::allWidgets(),
                                      [](QWidget* w) { return qobject_cast<app::TForm2*>(w); });
              auto window =
                  std::make_unique<app::TForm1>(std::make_unique<FakePortPlatform>(), messages);
              window->setCpuSpeedMeter(testkit::meterOn(clock));
              if (duringCreation)
                  duringCreation();
              return window;
          }) {}

    struct {
        bool splashVisible = false;
        QString title;
        bool aboutExisted = true;
    } creation;
    RecordingMessageService messages;
    FakeCycleClock clock;
    app::Startup startup;
};

} // namespace

TEST(Startup, SplashAndTitleComeBeforeTheMainWindowAndTheAboutWindowAfterIt) {
    StartupRig rig;
    rig.startup.run();
    EXPECT_TRUE(rig.creation.splashVisible) << "the splash is on screen first";
    EXPECT_EQ(rig.creation.title, " VOLTARIX");
    EXPECT_FALSE(rig.creation.aboutExisted);

    app::TForm1& window = rig.startup.mainWindow();
    EXPECT_EQ(rig.startup.about().parent(), &window);
    EXPECT_FALSE(rig.startup.about().isVisible());
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.windowState() & Qt::WindowMaximized);
    EXPECT_EQ(window.windowTitle(), " VOLTARIX");
    EXPECT_EQ(rig.startup.splash().size(), QSize(446, 295));
}

// Once the program has started, every menu item finds the operation it runs:
// the subsystems registered them, not a test.
TEST(Startup, EveryMenuItemFindsItsOperation) {
    StartupRig rig;
    rig.startup.run();
    QStringList missing;
    for (const app::MenuItemDesign& item : app::mainMenuDesign()) {
        if (item.command != app::MenuCommand::Separator &&
            !rig.startup.mainWindow().clicks().contains(item.operationName()))
            missing << item.operationName();
    }
    EXPECT_TRUE(missing.isEmpty()) << missing.join(' ').toStdString();
}

TEST(Startup, TheBrowserIsMadeHiddenAndItsButtonShowsIt) {
    StartupRig rig;
    rig.startup.run();
    pictures::TForm4& browser = rig.startup.browser();
    EXPECT_EQ(browser.objectName(), "TForm4");
    EXPECT_EQ(browser.windowTitle(), "Браузер");
    EXPECT_FALSE(browser.isVisible());
    auto* show = rig.startup.mainWindow().findChild<QAbstractButton*>("SpeedButton28");
    ASSERT_NE(show, nullptr);
    show->click();
    EXPECT_TRUE(browser.isVisible());
    browser.close();
    EXPECT_FALSE(browser.isVisible());
}

TEST(Startup, SplashTimerIsAFiveSecondOneShotRunningFromCreation) {
    StartupRig rig;
    rig.startup.run();
    QTimer* timer = rig.startup.splash().timer();
    EXPECT_EQ(timer->objectName(), "Timer1");
    EXPECT_EQ(timer->interval(), 5000);
    EXPECT_TRUE(timer->isSingleShot());
    EXPECT_TRUE(timer->isActive());
    EXPECT_TRUE(rig.startup.splash().testAttribute(Qt::WA_QuitOnClose) == false)
        << "the splash never keeps the program alive";
}

TEST(Startup, SplashClosesWhenTheMainWindowIsVisibleAtItsTimer) {
    StartupRig rig;
    rig.startup.run();
    app::TForm3& splash = rig.startup.splash();
    ASSERT_TRUE(splash.isVisible());
    splash.Timer1Timer();
    EXPECT_FALSE(splash.isVisible());
    EXPECT_FALSE(splash.timer()->isActive());
}

TEST(Startup, SplashStaysForGoodWhenItsTimerFiresBeforeTheMainWindowShows) {
    // A slow driver installation or a message box open for more than five
    // seconds during the main window's creation.
    StartupRig rig([] {
        if (app::TForm3* splash = visibleSplash())
            splash->Timer1Timer();
    });
    rig.startup.run();
    app::TForm3& splash = rig.startup.splash();
    EXPECT_TRUE(rig.startup.mainWindow().isVisible());
    EXPECT_TRUE(splash.isVisible());
    EXPECT_FALSE(splash.timer()->isActive()) << "stopped, so it never closes the splash later";
}

TEST(Startup, FailedPortConnectionLeavesTheMainWindowHidden) {
    RecordingMessageService messages;
    FakeCycleClock clock(1000.0);
    app::Startup startup([&] {
        auto platform = std::make_unique<FakePortPlatform>();
        platform->openResults = {false};
        auto window = std::make_unique<app::TForm1>(std::move(platform), messages);
        window->setCpuSpeedMeter(testkit::meterOn(clock));
        return window;
    });
    startup.run();
    EXPECT_FALSE(startup.mainWindow().isVisible());
    ASSERT_EQ(messages.boxes.size(), 1u);
    EXPECT_EQ(messages.boxes[0].caption, "ERROR");
    // The queued end of the program is the message loop's; drop it here.
    QCoreApplication::removePostedEvents(qApp);
}

TEST(FormShow, HintColourThenSeriesStepThenTheSpeedInTheFifthPanel) {
    StartupRig rig;
    QString panelAtSeriesStep = "not run";
    bool shownOnce = false;
    rig.startup.run();
    app::TForm1& window = rig.startup.mainWindow();
    EXPECT_EQ(QToolTip::palette().color(QPalette::ToolTipBase), QColor(0, 255, 0));
    EXPECT_EQ(window.statusBar1().panelText(4), app::CpuSpeedMeter::speedText(2400.0, QLocale()));

    window.hide();
    window.statusBar1().setPanelText(4, QString());
    QObject::connect(&window, &app::TForm1::registerSeriesShowStep, [&] {
        panelAtSeriesStep = window.statusBar1().panelText(4);
        shownOnce = true;
    });
    window.show();
    EXPECT_TRUE(shownOnce);
    EXPECT_EQ(panelAtSeriesStep, "") << "the series step runs before the measurement";
}

TEST(AboutWindow, ShownTwiceIsTheSameInstanceWithTheTextAsLeft) {
    StartupRig rig;
    rig.startup.run();
    std::vector<QWidget*> shown;
    auto closeWhenShown = [&](const QString& typed) {
        QTimer::singleShot(0, [&shown, typed] {
            auto* about = qobject_cast<app::TForm2*>(QApplication::activeModalWidget());
            shown.push_back(about);
            if (!about)
                return;
            if (!typed.isEmpty())
                about->RichEdit1->append(typed);
            about->BitBtn1->click();
        });
    };
    closeWhenShown("заметка пользователя");
    EXPECT_TRUE(rig.startup.mainWindow().clicks().click("N5"));
    closeWhenShown(QString());
    rig.startup.mainWindow().clicks().click("N5");

    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], &rig.startup.about());
    EXPECT_EQ(shown[1], shown[0]);
    EXPECT_FALSE(rig.startup.about().isVisible());
    EXPECT_TRUE(rig.startup.about().RichEdit1->toPlainText().contains("заметка пользователя"));
}
