#pragma once

#include <QObject>

#include <memory>

class QWidget;

namespace voltarix::port {
class TLptPortConnection;
}
namespace voltarix::ui {
class ClickRegistry;
class GlyphButton;
class HandlerErrors;
class MessageService;
class StatusBar;
} // namespace voltarix::ui

namespace voltarix::panel {

class BitsPanel;
class DirectionIndication;
class EppDirection;
class EppPage;
class LiveMonitor;
class PanelLocks;
class PinModel;
class PortCapability;
class RegisterPanel;
class RegisterWriter;

// The controls of the port panel, built by the main window where its
// layout puts them.
struct PortPanelControls {
    RegisterPanel& registers;
    BitsPanel& bits;
    EppPage& eppPage;
    ui::GlyphButton& directionButton; // SpeedButton32
    ui::StatusBar& statusBar;
    ui::ClickRegistry& clicks; // where the menu finds the lock operations
};

// The port panel subsystem: names the port, reads its pins, keeps the
// display live, writes registers, locks controls and switches the data
// direction. It lives as long as the main window and its port connection.
class PortPanel : public QObject {
    Q_OBJECT
public:
    PortPanel(port::TLptPortConnection& connection, const PortPanelControls& controls,
              ui::MessageService& messages, const ui::HandlerErrors& errors, QWidget* window);
    ~PortPanel() override;

    // Fills the port selector from the presence probe.
    void fillSelector();
    // What the main window's activation refreshes.
    void refreshOnActivation();

    PinModel& pins() { return *pins_; }
    LiveMonitor& monitor() { return *monitor_; }
    RegisterWriter& writer() { return *writer_; }
    PanelLocks& locks() { return *locks_; }
    EppDirection& direction() { return *direction_; }

private:
    PortPanelControls controls_;
    std::unique_ptr<PinModel> pins_;
    std::unique_ptr<PortCapability> capability_;
    std::unique_ptr<DirectionIndication> indication_;
    LiveMonitor* monitor_;
    RegisterWriter* writer_;
    PanelLocks* locks_;
    EppDirection* direction_;
};

} // namespace voltarix::panel
