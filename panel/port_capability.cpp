#include "panel/port_capability.h"

#include "panel/pin_model.h"
#include "panel/register_format.h"
#include "port/lpt_port_connection.h"

#include <QLineEdit>

namespace voltarix::panel {

PortCapability::PortCapability(PinModel& pins, QLineEdit& capabilityField, QLineEdit& platformField)
    : pins_(pins), capabilityField_(capabilityField), platformField_(platformField) {}

void PortCapability::refreshCapability() {
    const bool epp = pins_.connection().IsBidirectional(pins_.SelectedPortCode());
    setTextIfDifferent(&capabilityField_,
                       epp ? QStringLiteral("   EPP") : QStringLiteral("   SPP"));
}

void PortCapability::refreshPlatform() {
    if (!pins_.connection().IsNT())
        setTextIfDifferent(&platformField_, QStringLiteral("  9x"));
}

} // namespace voltarix::panel
