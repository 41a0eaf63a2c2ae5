#include "panel/pin_model.h"

#include "port/lpt_port_connection.h"
#include "port/port_codes.h"

#include <array>

namespace voltarix::panel {

using namespace voltarix::port;

PinModel::PinModel(TLptPortConnection& connection, SelectorText selectorText)
    : connection_(connection), selectorText_(std::move(selectorText)) {}

PinModel PinModel::forPortCode(TLptPortConnection& connection, PortCodeSource portCode) {
    PinModel model(connection, SelectorText{});
    model.portCode_ = std::move(portCode);
    return model;
}

std::uint8_t PinModel::portCodeOf(const QString& selectorText) {
    if (selectorText == QLatin1String("$3BC"))
        return PortCodeLpt1;
    if (selectorText == QLatin1String("$378"))
        return PortCodeLpt2;
    return PortCodeLpt3;
}

QString PinModel::selectorTextOf(std::uint8_t portCode) {
    switch (portCode) {
    case PortCodeLpt1:
        return QStringLiteral("$3BC");
    case PortCodeLpt2:
        return QStringLiteral("$378");
    default:
        return QStringLiteral("$278");
    }
}

std::uint8_t PinModel::SelectedPortCode() const {
    return portCode_ ? portCode_() : portCodeOf(selectorText_());
}

bool PinModel::bitSet(std::uint8_t regOffset, std::uint8_t mask) const {
    return (connection_.ReadPort(SelectedPortCode(), regOffset) & mask) == mask;
}

bool PinModel::Pin1() const {
    return !bitSet(RegControl, CtrlStrobe);
}
bool PinModel::Pin2() const {
    return bitSet(RegData, 0x01);
}
bool PinModel::Pin3() const {
    return bitSet(RegData, 0x02);
}
bool PinModel::Pin4() const {
    return bitSet(RegData, 0x04);
}
bool PinModel::Pin5() const {
    return bitSet(RegData, 0x08);
}
bool PinModel::Pin6() const {
    return bitSet(RegData, 0x10);
}
bool PinModel::Pin7() const {
    return bitSet(RegData, 0x20);
}
bool PinModel::Pin8() const {
    return bitSet(RegData, 0x40);
}
bool PinModel::Pin9() const {
    return bitSet(RegData, 0x80);
}
bool PinModel::Pin10() const {
    return bitSet(RegStatus, StatAck);
}
bool PinModel::Pin11() const {
    return !bitSet(RegStatus, StatBusy);
}
bool PinModel::Pin12() const {
    return bitSet(RegStatus, StatPaperEnd);
}
bool PinModel::Pin13() const {
    return bitSet(RegStatus, StatSelect);
}
bool PinModel::Pin14() const {
    return !bitSet(RegControl, CtrlAutoFeed);
}
bool PinModel::Pin15() const {
    return bitSet(RegStatus, StatError);
}
bool PinModel::Pin16() const {
    return bitSet(RegControl, CtrlInit);
}
bool PinModel::Pin17() const {
    return !bitSet(RegControl, CtrlSelectIn);
}
bool PinModel::DirectionBit() const {
    return bitSet(RegControl, CtrlDirection);
}

bool PinModel::pin(int number) const {
    using PinFunction = bool (PinModel::*)() const;
    static constexpr std::array<PinFunction, 17> pins{
        &PinModel::Pin1,  &PinModel::Pin2,  &PinModel::Pin3,  &PinModel::Pin4,  &PinModel::Pin5,
        &PinModel::Pin6,  &PinModel::Pin7,  &PinModel::Pin8,  &PinModel::Pin9,  &PinModel::Pin10,
        &PinModel::Pin11, &PinModel::Pin12, &PinModel::Pin13, &PinModel::Pin14, &PinModel::Pin15,
        &PinModel::Pin16, &PinModel::Pin17};
    if (number < 1 || number > 17)
        return false;
    return (this->*pins[static_cast<std::size_t>(number - 1)])();
}

} // namespace voltarix::panel
