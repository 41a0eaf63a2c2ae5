#pragma once

#include "port/access_record.h"
#include "port/port_codes.h"
#include "port/port_platform.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>

namespace voltarix::port {

// The one path from the program to the parallel port hardware.
//
// Construction opens the device, starting the driver service when the first
// open fails on the protected platform, and probes which of the three ports
// answer. Destruction closes the device and removes a service that this
// instance started. No operation throws or reports: a failed read yields 0,
// a failed write yields false.
class TLptPortConnection {
public:
    explicit TLptPortConnection(std::unique_ptr<PortPlatform> platform);
    virtual ~TLptPortConnection();

    TLptPortConnection(const TLptPortConnection&) = delete;
    TLptPortConnection& operator=(const TLptPortConnection&) = delete;

    // False only when no device is open on the protected platform.
    bool IsReady() const;
    bool IsNT() const { return nt_; }

    bool ReadPorts(std::span<AccessRecord> records);
    bool WritePorts(std::span<AccessRecord> records);

    std::uint8_t ReadPort(std::uint8_t portCode, std::uint8_t regOffset);
    bool WritePort(std::uint8_t portCode, std::uint8_t regOffset, std::uint8_t value);

    // Presence probe: three test writes to the data register, then the
    // control and status registers. The data register is restored.
    bool IsPortPresent(std::uint8_t portCode);
    // Direction-bit probe: sets and clears control bit 5, then restores it.
    bool IsBidirectional(std::uint8_t portCode);

    void DirectOut(std::uint16_t address, std::uint8_t value);
    std::uint8_t DirectIn(std::uint16_t address);

    // Presence as probed at construction, for the three port codes.
    bool wasPresentAtStart(std::uint8_t portCode) const;
    bool serviceStarted() const { return serviceStarted_; }
    // The platform's last-error value, as the start-up failure box shows it.
    int lastError() const { return platform_->lastError(); }

private:
    void open();
    // Writes a test value to the data register and, while every earlier
    // value came back, reads it back. True when it came back too.
    bool testDataWrite(std::uint8_t portCode, std::uint8_t testValue, bool okSoFar);
    static bool answers(std::uint8_t registerValue);

    std::unique_ptr<PortPlatform> platform_;
    bool deviceOpen_ = false;
    bool nt_ = false;
    bool serviceStarted_ = false;
    std::array<bool, 3> PortPresent_{};
};

} // namespace voltarix::port
