#include "port/simulated/simulated_platform.h"

#include "port/port_codes.h"
#include "port/simulated/signal_source.h"

#include <cerrno>

namespace voltarix::port {

namespace {

// With the data lines switched to input and nothing driving them, the
// port's pull-ups make every line read high.
constexpr std::uint8_t floatingLines = 0xFF;

} // namespace

SimulatedPlatform::SimulatedPlatform(Clock clock, int baudRate)
    : clock_(std::move(clock)), baudRate_(baudRate) {
    if (!clock_) {
        const auto start = std::chrono::steady_clock::now();
        clock_ = [start] { return std::chrono::steady_clock::now() - start; };
    }
}

bool SimulatedPlatform::openDevice() {
    open_ = true;
    return true;
}

void SimulatedPlatform::releaseInputs() {
    heldStatus_ = notHeld;
    heldDataInput_ = notHeld;
}

bool SimulatedPlatform::dataLinesAreInputs() const {
    return (control_ & CtrlDirection) != 0;
}

std::uint8_t SimulatedPlatform::readRegister(std::uint8_t selector) const {
    if ((selector & 0xF0) != simulatedPortCode)
        return floatingLines;
    switch (selector & 0x07) {
    case RegData:
        if (dataLinesAreInputs()) {
            const int held = heldDataInput_;
            return held == notHeld ? floatingLines : static_cast<std::uint8_t>(held);
        }
        return data_;
    case RegStatus: {
        const int held = heldStatus_;
        return held == notHeld ? SignalSource::statusAt(clock_(), baudRate_)
                               : static_cast<std::uint8_t>(held);
    }
    case RegControl:
        return control_;
    default:
        return floatingLines;
    }
}

void SimulatedPlatform::writeRegister(std::uint8_t selector, std::uint8_t value) {
    if ((selector & 0xF0) != simulatedPortCode)
        return;
    switch (selector & 0x07) {
    case RegData:
        data_ = value;
        break;
    case RegControl:
        control_ = value;
        break;
    default:
        break; // the status register and the EPP registers take nothing here
    }
}

void SimulatedPlatform::readRequest(std::span<AccessRecord> records) {
    if (!open_) {
        lastError_.set(EBADF);
        return;
    }
    for (AccessRecord& record : records)
        record.value = readRegister(record.selector);
}

void SimulatedPlatform::writeRequest(std::span<const AccessRecord> records) {
    if (!open_) {
        lastError_.set(EBADF);
        return;
    }
    for (const AccessRecord& record : records)
        writeRegister(record.selector, record.value);
}

} // namespace voltarix::port
