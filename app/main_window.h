#pragma once

#include <QMainWindow>

#include <memory>

class QFrame;
class QMenu;
class QTabWidget;

namespace voltarix::port {
class PortPlatform;
class TLptPortConnection;
} // namespace voltarix::port
namespace voltarix::ui {
class ClickRegistry;
class GlyphButton;
class HandlerErrors;
class MessageService;
class StatusBar;
} // namespace voltarix::ui
namespace voltarix::pictures {
class PagePictures;
}
namespace voltarix::panel {
class BitsPanel;
class EppPage;
class PortPanel;
class RegisterPanel;
} // namespace voltarix::panel

namespace voltarix::app {

// The main window. It owns the one port connection for its whole life and
// composes the subsystems, each of which owns its controls and handlers.
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    // The window works on whatever platform it is given: the system's port
    // access, the simulated port, or a test's fake.
    TForm1(std::unique_ptr<port::PortPlatform> platform, ui::MessageService& messages,
           QWidget* parent = nullptr);
    ~TForm1() override;

    port::TLptPortConnection& lpt() { return *lpt_; }
    panel::PortPanel& portPanel() { return *portPanel_; }
    ui::StatusBar& statusBar1() { return *statusBar_; }
    // The click operations of the window's buttons, for menu items and for
    // clicks the program makes itself.
    ui::ClickRegistry& clicks() { return *clicks_; }
    const ui::HandlerErrors& handlerErrors() const { return *errors_; }
    // Page export, autosave and save-as; a diagram joins with attachDiagram.
    pictures::PagePictures& pagePictures() { return *pagePictures_; }

    // True when no capture runs or a stop has been asked for.
    bool captureStopFlag() const { return captureStop_; }
    void setCaptureStopFlag(bool stop) { captureStop_ = stop; }

    // What the window does each time it becomes the active window.
    void FormActivate();

    static QString driverFailureText(int errorCode);

protected:
    bool event(QEvent* event) override;

private:
    void buildFrame();
    void buildMenus();
    void buildSettingsPanel(QFrame* settingsPanel);
    void buildPagePictures();
    void FormCreate(std::unique_ptr<port::PortPlatform> platform);
    void FormDestroy();

    ui::MessageService& messages_;
    std::unique_ptr<ui::HandlerErrors> errors_;
    std::unique_ptr<ui::ClickRegistry> clicks_;
    std::unique_ptr<port::TLptPortConnection> lpt_;
    std::unique_ptr<panel::PortPanel> portPanel_;
    bool captureStop_ = false;

    panel::RegisterPanel* registerPanel_ = nullptr;
    panel::BitsPanel* bitsPanel_ = nullptr;
    panel::EppPage* eppPage_ = nullptr;
    ui::GlyphButton* directionButton_ = nullptr;
    ui::StatusBar* statusBar_ = nullptr;
    QTabWidget* pageControl_ = nullptr;
    QMenu* portMenu_ = nullptr;
    QMenu* controlMenu_ = nullptr;
    pictures::PagePictures* pagePictures_ = nullptr;
};

} // namespace voltarix::app
