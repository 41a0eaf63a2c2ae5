#include "panel/port_panel.h"

#include "panel/bits_panel.h"
#include "panel/direction_indication.h"
#include "panel/epp_direction.h"
#include "panel/epp_page.h"
#include "panel/live_monitor.h"
#include "panel/panel_locks.h"
#include "panel/pin_model.h"
#include "panel/port_capability.h"
#include "panel/port_selector.h"
#include "panel/register_panel.h"
#include "panel/register_writer.h"
#include "ui/handler_errors.h"

#include <QComboBox>
#include <QLabel>

namespace voltarix::panel {

PortPanel::PortPanel(port::TLptPortConnection& connection, const PortPanelControls& controls,
                     ui::MessageService& messages, const ui::HandlerErrors& errors, QWidget* window)
    : QObject(window), controls_(controls) {
    QComboBox* selector = controls_.registers.ComboBox1;
    pins_ = std::make_unique<PinModel>(connection, [selector] { return selector->currentText(); });
    capability_ =
        std::make_unique<PortCapability>(*pins_, *controls_.bits.Edit14, *controls_.bits.Edit15);
    indication_ = std::make_unique<DirectionIndication>(
        *pins_, *controls_.bits.Edit11, *controls_.eppPage.StaticText7, controls_.directionButton,
        controls_.statusBar);
    monitor_ = new LiveMonitor(*pins_, controls_.registers, controls_.bits, *indication_,
                               *controls_.eppPage.CheckBox31, window, this);
    writer_ =
        new RegisterWriter(*pins_, controls_.registers, controls_.bits, *capability_, errors, this);
    locks_ = new PanelLocks(controls_.registers, controls_.bits, controls_.clicks, this);
    direction_ = new EppDirection(*pins_, *indication_, controls_.eppPage,
                                  controls_.directionButton, messages, window, this);
    connect(selector, &QComboBox::editTextChanged, this,
            errors.guarded([this] { capability_->refreshCapability(); }));
}

PortPanel::~PortPanel() = default;

void PortPanel::fillSelector() {
    fillPortSelector(*controls_.registers.ComboBox1, pins_->connection());
}

void PortPanel::refreshOnActivation() {
    capability_->refreshCapability();
    capability_->refreshPlatform();
}

} // namespace voltarix::panel
