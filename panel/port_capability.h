#pragma once

class QLineEdit;

namespace voltarix::panel {

class PinModel;

// Shows whether the selected port has a working direction bit ("EPP") and
// which platform the port is reached on.
class PortCapability {
public:
    PortCapability(PinModel& pins, QLineEdit& capabilityField, QLineEdit& platformField);

    // Runs the direction-bit probe, which sets and clears bit 5 briefly.
    void refreshCapability();
    // The platform field starts as "  NT" and only ever turns to "  9x".
    void refreshPlatform();

private:
    PinModel& pins_;
    QLineEdit& capabilityField_;
    QLineEdit& platformField_;
};

} // namespace voltarix::panel
