#pragma once

#include <QMainWindow>

#include <memory>

class QFrame;
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
namespace voltarix::chart {
class Chart;
}
namespace voltarix::regdiagram {
class DiagramViews;
class RegisterDiagram;
class RegisterPage;
class View3DPage;
class ViewButtonBar;
} // namespace voltarix::regdiagram
namespace voltarix::pictures {
class PagePictures;
}
namespace voltarix::panel {
class BitsPanel;
class EppPage;
class PortPanel;
class RegisterPanel;
} // namespace voltarix::panel
namespace voltarix::diagram17 {
class Diagram17;
class SynchronousStart;
class VcdExport;
} // namespace voltarix::diagram17

namespace voltarix::app {

class CpuSpeedMeter;
class HelpBoxes;
class MainMenu;

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
    regdiagram::RegisterDiagram& registerDiagram() { return *registerDiagram_; }
    regdiagram::DiagramViews& diagramViews() { return *diagramViews_; }
    // The 17-bit diagram, and the start request its run control answers.
    diagram17::Diagram17& diagram17() { return *diagram17_; }
    diagram17::SynchronousStart& synchronousStart();
    // Page export, autosave and save-as; a diagram joins with attachDiagram.
    pictures::PagePictures& pagePictures() { return *pagePictures_; }
    // The 17-bit recording's export as a value change dump (SpeedButton36).
    diagram17::VcdExport& vcdExport() { return *vcdExport_; }

    // True when no capture runs or a stop has been asked for.
    bool captureStopFlag() const { return captureStop_; }
    void setCaptureStopFlag(bool stop) { captureStop_ = stop; }

    // What the window does each time it becomes the active form of the
    // program: at start, and back from another of the program's forms.
    void FormActivate();
    // What the window does when it is shown: hint colour, the register
    // series' visibility, the processor speed.
    void FormShow();
    // The window closes: a running capture ends at its next check.
    void FormClose();
    // "Проверить скорость CPU".
    void CPU1Click();
    // "Выход": closes the window, which ends the program.
    void N4Click();

    MainMenu& mainMenu1() { return *mainMenu_; }
    // The measurement FormShow and CPU1 run; tests give one with their own
    // counter and sleep.
    void setCpuSpeedMeter(std::unique_ptr<CpuSpeedMeter> meter);

    static QString driverFailureText(int errorCode);

signals:
    // FormShow's second step: the register diagram shows or hides its three
    // bar series as their check boxes say, in the order control, data, status.
    void registerSeriesShowStep();
    // The window has closed; the program ends with it.
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildFrame();
    void buildMenus();
    void buildSettingsPanel(QFrame* settingsPanel);
    void buildPagePictures();
    void buildVcdExport();
    void FormCreate(std::unique_ptr<port::PortPlatform> platform);
    void FormDestroy();
    void watchActivation();
    // Measures the processor speed into the fifth status panel.
    void showCpuSpeed();

    ui::MessageService& messages_;
    std::unique_ptr<ui::HandlerErrors> errors_;
    std::unique_ptr<ui::ClickRegistry> clicks_;
    std::unique_ptr<port::TLptPortConnection> lpt_;
    std::unique_ptr<panel::PortPanel> portPanel_;
    std::unique_ptr<diagram17::Diagram17> diagram17_;
    std::unique_ptr<diagram17::VcdExport> vcdExport_;
    std::unique_ptr<CpuSpeedMeter> cpuSpeed_;
    std::unique_ptr<HelpBoxes> help_;
    MainMenu* mainMenu_ = nullptr;
    bool captureStop_ = false;

    panel::RegisterPanel* registerPanel_ = nullptr;
    panel::BitsPanel* bitsPanel_ = nullptr;
    panel::EppPage* eppPage_ = nullptr;
    ui::GlyphButton* directionButton_ = nullptr;
    ui::StatusBar* statusBar_ = nullptr;
    regdiagram::RegisterPage* registerPage_ = nullptr;
    chart::Chart* chart1_ = nullptr;
    regdiagram::RegisterDiagram* registerDiagram_ = nullptr;
    QFrame* chartPanel_ = nullptr;
    QFrame* settingsPanel_ = nullptr;
    regdiagram::View3DPage* view3DPage_ = nullptr;
    regdiagram::ViewButtonBar* viewButtons_ = nullptr;
    regdiagram::DiagramViews* diagramViews_ = nullptr;
    QTabWidget* pageControl_ = nullptr;
    pictures::PagePictures* pagePictures_ = nullptr;
};

} // namespace voltarix::app
