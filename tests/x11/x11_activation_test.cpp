#include "panel/window_rig.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdlib>
#include <xcb/xcb.h>

using namespace voltarix;

namespace {

// Another X client with a window of its own, as another application is. It
// also hands the keyboard focus around as a window manager does when the
// user clicks a window: there is no window manager on the test server.
class OtherApplication {
public:
    OtherApplication() : connection_(xcb_connect(nullptr, nullptr)) {
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
        window_ = xcb_generate_id(connection_);
        xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window_, screen->root, 0, 0, 200, 100,
                          0, XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
        xcb_map_window(connection_, window_);
        xcb_flush(connection_);
    }
    ~OtherApplication() { xcb_disconnect(connection_); }
    OtherApplication(const OtherApplication&) = delete;
    OtherApplication& operator=(const OtherApplication&) = delete;

    // The user switches to this application.
    void takeFocus() { focus(window_); }

    // The user clicks one of the program's windows; true once Qt has made it
    // the active window.
    bool activate(QWidget& window) {
        window.show();
        if (!QTest::qWaitForWindowExposed(&window))
            return false;
        focus(static_cast<xcb_window_t>(window.winId()));
        return QTest::qWaitFor([&] { return QApplication::activeWindow() == &window; }, 3000);
    }

private:
    void focus(xcb_window_t window) {
        xcb_set_input_focus(connection_, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
        std::free(
            xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
    }

    xcb_connection_t* connection_;
    xcb_window_t window_ = 0;
};

} // namespace

TEST(X11Activation, StartActivatesAndComingBackFromAnotherApplicationDoesNot) {
    OtherApplication other;
    testkit::WindowRig rig;
    ASSERT_TRUE(other.activate(*rig.window));
    EXPECT_TRUE(rig.window->captureStopFlag()) << "the first activation at start";
    rig.window->setCaptureStopFlag(false);

    other.takeFocus();
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activeWindow() == nullptr; }, 3000));
    ASSERT_TRUE(other.activate(*rig.window));
    EXPECT_FALSE(rig.window->captureStopFlag()) << "Alt+Tab would have stopped a capture";
}

TEST(X11Activation, BackFromAMessageBoxIsNoActivationBackFromAFormIs) {
    OtherApplication other;
    testkit::WindowRig rig;
    ASSERT_TRUE(other.activate(*rig.window));
    rig.window->setCaptureStopFlag(false);

    QMessageBox box(QMessageBox::Information, "Информация", "text", QMessageBox::Ok,
                    rig.window.get());
    ASSERT_TRUE(other.activate(box));
    box.close();
    ASSERT_TRUE(other.activate(*rig.window));
    EXPECT_FALSE(rig.window->captureStopFlag()) << "an error box would have stopped a capture";

    QWidget about;
    about.setObjectName("TForm2");
    ASSERT_TRUE(other.activate(about));
    about.hide();
    ASSERT_TRUE(other.activate(*rig.window));
    EXPECT_TRUE(rig.window->captureStopFlag());
}
