#pragma once

#include <QObject>

#include <cstdint>

class QLineEdit;
class QToolButton;

namespace voltarix::ui {
class HandlerErrors;
}

namespace voltarix::panel {

class BitsPanel;
class PinModel;
class PortCapability;
class RegisterPanel;

// The ways the user sets the control and data registers: whole bytes typed
// in hex or decimal, single bits toggled on the keyboards, and the switch
// that relabels the keyboards between pin and bit numbers.
class RegisterWriter : public QObject {
    Q_OBJECT
public:
    RegisterWriter(PinModel& pins, RegisterPanel& registers, BitsPanel& bits,
                   PortCapability& capability, const ui::HandlerErrors& errors, QObject* parent);

    // Converts the field's text and writes its low byte; a text that is no
    // integer raises a conversion error and nothing is written.
    void writeFromField(const QLineEdit& field, std::uint8_t regOffset);
    // Reads the register afresh and writes it back with the mask flipped.
    void toggleBits(std::uint8_t regOffset, std::uint8_t mask);
    void SpeedButton5Click();

private:
    void connectWriteButton(QToolButton* button, const QLineEdit* field, std::uint8_t regOffset);
    void connectKeys();
    void installKeyFilters();
    void showPinCaptions();
    void showBitCaptions();

    PinModel& pins_;
    RegisterPanel& registers_;
    BitsPanel& bits_;
    PortCapability& capability_;
    const ui::HandlerErrors& errors_;
};

} // namespace voltarix::panel
