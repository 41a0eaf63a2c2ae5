#include "capture/port_level_reader.h"

#include "port/connector_pins.h"
#include "port/lpt_port_connection.h"

#include <array>

namespace voltarix::capture {

namespace {

constexpr std::array<port::PinLine, port::lineCount> captureLines = [] {
    std::array<port::PinLine, port::lineCount> lines{};
    for (std::size_t k = 0; k < lines.size(); ++k)
        lines[k] = port::pinLine(port::captureOrderPins[k]);
    return lines;
}();

} // namespace

PortLevelReader::PortLevelReader(port::TLptPortConnection& connection)
    : connection_(connection), portCode_(port::PortCodeLpt2) {}

std::uint32_t PortLevelReader::readLevels() {
    const std::uint8_t portCode = portCode_.load(std::memory_order_relaxed);
    return coherent_.load(std::memory_order_relaxed) ? readOncePerRegister(portCode)
                                                     : readLineByLine(portCode);
}

std::uint32_t PortLevelReader::readLineByLine(std::uint8_t portCode) {
    std::uint32_t levels = 0;
    for (std::size_t k = 0; k < captureLines.size(); ++k) {
        const port::PinLine& line = captureLines[k];
        if (port::pinLevel(line, connection_.ReadPort(portCode, line.regOffset)))
            levels |= 1u << k;
    }
    return levels;
}

std::uint32_t PortLevelReader::readOncePerRegister(std::uint8_t portCode) {
    const std::uint8_t status = connection_.ReadPort(portCode, port::RegStatus);
    const std::uint8_t control = connection_.ReadPort(portCode, port::RegControl);
    const std::uint8_t data = connection_.ReadPort(portCode, port::RegData);
    return levelsOf(status, control, data);
}

std::uint32_t PortLevelReader::levelsOf(std::uint8_t status, std::uint8_t control,
                                        std::uint8_t data) {
    std::uint32_t levels = 0;
    for (std::size_t k = 0; k < captureLines.size(); ++k) {
        const port::PinLine& line = captureLines[k];
        const std::uint8_t value = line.regOffset == port::RegStatus    ? status
                                   : line.regOffset == port::RegControl ? control
                                                                        : data;
        if (port::pinLevel(line, value))
            levels |= 1u << k;
    }
    return levels;
}

} // namespace voltarix::capture
