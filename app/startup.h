#pragma once

#include <functional>
#include <memory>

namespace voltarix::pictures {
class TForm4;
}

namespace voltarix::app {

class TForm1;
class TForm2;
class TForm3;

// The program's start-up in its fixed order: the splash, the application
// title, the main window (port connection, port list), the About window, the
// picture browser, then the main window shown maximised. The message loop
// itself is the caller's.
class Startup {
public:
    using MainWindowFactory = std::function<std::unique_ptr<TForm1>()>;
    static constexpr const char* applicationTitle = " VOLTARIX";

    explicit Startup(MainWindowFactory createMainWindow);
    ~Startup();

    // Runs every step up to the message loop. The main window is not shown
    // when its port connection failed: the program then ends as its message
    // loop starts.
    void run();

    TForm3& splash() const { return *splash_; }
    TForm1& mainWindow() const { return *mainWindow_; }
    TForm2& about() const { return *about_; }
    pictures::TForm4& browser() const { return *browser_; }

private:
    void createAboutWindow();
    void createPictureBrowser();

    MainWindowFactory createMainWindow_;
    std::unique_ptr<TForm3> splash_;
    std::unique_ptr<TForm1> mainWindow_;
    TForm2* about_ = nullptr;             // a child of the main window
    pictures::TForm4* browser_ = nullptr; // a window owned by the main window
};

} // namespace voltarix::app
