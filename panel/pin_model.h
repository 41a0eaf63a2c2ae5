#pragma once

#include <QString>

#include <cstdint>
#include <functional>

namespace voltarix::port {
class TLptPortConnection;
}

namespace voltarix::panel {

// Names the port by the selector's text and reads the 17 connector pins.
//
// Nothing is cached: each pin function makes one register read of the port
// the selector names at that moment, so sampling all pins costs 17 reads.
// Pins 1, 11, 14 and 17 are inverted by the port hardware and are inverted
// back here, so every result is the level at the connector.
class PinModel {
public:
    using SelectorText = std::function<QString()>;

    PinModel(port::TLptPortConnection& connection, SelectorText selectorText);

    // A model whose port is named by a port code rather than by the
    // selector's text, for a caller that samples many pins at one moment and
    // looks the selector up once for all of them (the 17-bit capture cycle).
    using PortCodeSource = std::function<std::uint8_t()>;
    static PinModel forPortCode(port::TLptPortConnection& connection, PortCodeSource portCode);

    // "$3BC" and "$378" name the first two ports; any other text, the empty
    // one included, names the port at 0x278. The match is exact.
    static std::uint8_t portCodeOf(const QString& selectorText);
    static QString selectorTextOf(std::uint8_t portCode);

    std::uint8_t SelectedPortCode() const;

    bool Pin1() const;
    bool Pin2() const;
    bool Pin3() const;
    bool Pin4() const;
    bool Pin5() const;
    bool Pin6() const;
    bool Pin7() const;
    bool Pin8() const;
    bool Pin9() const;
    bool Pin10() const;
    bool Pin11() const;
    bool Pin12() const;
    bool Pin13() const;
    bool Pin14() const;
    bool Pin15() const;
    bool Pin16() const;
    bool Pin17() const;
    // True when the data lines are switched to input.
    bool DirectionBit() const;

    // Pin n (1..17) by number, for code that walks all pins.
    bool pin(int number) const;

    port::TLptPortConnection& connection() const { return connection_; }

private:
    bool bitSet(std::uint8_t regOffset, std::uint8_t mask) const;

    port::TLptPortConnection& connection_;
    SelectorText selectorText_;
    PortCodeSource portCode_;
};

} // namespace voltarix::panel
