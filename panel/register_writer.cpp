#include "panel/register_writer.h"

#include "panel/bits_panel.h"
#include "panel/key_filters.h"
#include "panel/pin_model.h"
#include "panel/port_capability.h"
#include "panel/register_panel.h"
#include "port/lpt_port_connection.h"
#include "ui/handler_errors.h"
#include "ui/integer_text.h"

#include <QLineEdit>
#include <QToolButton>

#include <array>

namespace voltarix::panel {

namespace {

constexpr std::array<std::uint8_t, 8> dataKeyMasks{0x80, 0x40, 0x20, 0x10, 0x08, 0x04, 0x02, 0x01};
constexpr std::array<std::uint8_t, 4> controlKeyMasks{port::CtrlSelectIn, port::CtrlInit,
                                                      port::CtrlAutoFeed, port::CtrlStrobe};

template <std::size_t N>
void setCaptions(const std::array<QToolButton*, N>& keys,
                 const std::array<const char*, N>& captions) {
    for (std::size_t i = 0; i < N; ++i)
        keys[i]->setText(QString::fromLatin1(captions[i]));
}

void setCaptionColor(QToolButton* button, const QColor& color) {
    QPalette palette = button->palette();
    palette.setColor(QPalette::ButtonText, color);
    button->setPalette(palette);
}

} // namespace

RegisterWriter::RegisterWriter(PinModel& pins, RegisterPanel& registers, BitsPanel& bits,
                               PortCapability& capability, const ui::HandlerErrors& errors,
                               QObject* parent)
    : QObject(parent), pins_(pins), registers_(registers), bits_(bits), capability_(capability),
      errors_(errors) {
    connectWriteButton(registers_.SpeedButton1, registers_.Edit5, port::RegControl);
    connectWriteButton(registers_.SpeedButton2, registers_.Edit6, port::RegControl);
    connectWriteButton(registers_.SpeedButton3, registers_.Edit9, port::RegData);
    connectWriteButton(registers_.SpeedButton4, registers_.Edit10, port::RegData);
    connectKeys();
    connect(bits_.SpeedButton5, &QToolButton::clicked, this,
            errors_.guarded([this] { SpeedButton5Click(); }));
    installKeyFilters();
}

void RegisterWriter::connectWriteButton(QToolButton* button, const QLineEdit* field,
                                        std::uint8_t regOffset) {
    connect(button, &QToolButton::clicked, this,
            errors_.guarded([this, field, regOffset] { writeFromField(*field, regOffset); }));
}

void RegisterWriter::connectKeys() {
    for (std::size_t i = 0; i < bits_.dataKeys.size(); ++i) {
        const std::uint8_t mask = dataKeyMasks[i];
        connect(bits_.dataKeys[i], &QToolButton::clicked, this,
                errors_.guarded([this, mask] { toggleBits(port::RegData, mask); }));
    }
    for (std::size_t i = 0; i < bits_.controlKeys.size(); ++i) {
        const std::uint8_t mask = controlKeyMasks[i];
        connect(bits_.controlKeys[i], &QToolButton::clicked, this,
                errors_.guarded([this, mask] { toggleBits(port::RegControl, mask); }));
    }
}

void RegisterWriter::installKeyFilters() {
    using Kind = RegisterKeyFilter::Kind;
    for (QLineEdit* field : {registers_.Edit5, registers_.Edit9})
        field->installEventFilter(new RegisterKeyFilter(Kind::Hexadecimal, field));
    for (QLineEdit* field : {registers_.Edit6, registers_.Edit10})
        field->installEventFilter(new RegisterKeyFilter(Kind::Decimal, field));
}

void RegisterWriter::writeFromField(const QLineEdit& field, std::uint8_t regOffset) {
    const int value = ui::StrToInt(field.text());
    pins_.connection().WritePort(pins_.SelectedPortCode(), regOffset,
                                 static_cast<std::uint8_t>(value & 0xFF));
}

void RegisterWriter::toggleBits(std::uint8_t regOffset, std::uint8_t mask) {
    port::TLptPortConnection& lpt = pins_.connection();
    const std::uint8_t value = lpt.ReadPort(pins_.SelectedPortCode(), regOffset);
    lpt.WritePort(pins_.SelectedPortCode(), regOffset, static_cast<std::uint8_t>(value ^ mask));
}

void RegisterWriter::SpeedButton5Click() {
    capability_.refreshCapability();
    if (bits_.SpeedButton5->text() == QLatin1String("BIT"))
        showPinCaptions();
    else
        showBitCaptions();
}

void RegisterWriter::showPinCaptions() {
    setCaptions(bits_.dataKeys, {"9", "8", "7", "6", "5", "4", "3", "2"});
    setCaptions(bits_.controlKeys, {"17", "16", "14", "1"});
    bits_.SpeedButton5->setText(QStringLiteral("PIN"));
    setCaptionColor(bits_.SpeedButton5, Qt::blue);
}

void RegisterWriter::showBitCaptions() {
    setCaptions(bits_.dataKeys, {"7", "6", "5", "4", "3", "2", "1", "0"});
    setCaptions(bits_.controlKeys, {"3", "2", "1", "0"});
    bits_.SpeedButton5->setText(QStringLiteral("BIT"));
    setCaptionColor(bits_.SpeedButton5, Qt::black);
}

} // namespace voltarix::panel
