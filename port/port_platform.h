#pragma once

#include "port/access_record.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace voltarix::port {

// What the port connection needs from the operating system: a device that
// carries read and write requests, a driver service that can be started and
// removed, direct port instructions, and a last-error value.
//
// Every call returns at once and never throws. Failures are signalled only
// through lastError(), which belongs to the calling thread: callers clear it,
// make the request and look at it afterwards.
class PortPlatform {
public:
    virtual ~PortPlatform() = default;

    // True on the protected platform, where the process may not use port
    // instructions itself and has to go through the device.
    virtual bool isProtectedPlatform() = 0;

    virtual int lastError() const = 0;
    virtual void setLastError(int code) = 0;

    // Opens the device for reading and writing. Returns true when it is open;
    // otherwise lastError() tells why.
    virtual bool openDevice() = 0;
    virtual void closeDevice() = 0;

    // One request each, carrying all records. Success is lastError() == 0
    // afterwards; a read fills the value byte of each record.
    virtual void readRequest(std::span<AccessRecord> records) = 0;
    virtual void writeRequest(std::span<const AccessRecord> records) = 0;

    // Registers (if needed) and starts the driver service. Returns true when
    // a service was obtained and asked to start, whatever the start gave.
    virtual bool startDriverService() = 0;
    // Removes what startDriverService() registered or started in this run.
    virtual void removeDriverService() = 0;

    // One processor port instruction each (unprotected platform only).
    virtual std::uint8_t directIn(std::uint16_t address) = 0;
    virtual void directOut(std::uint16_t address, std::uint8_t value) = 0;
};

} // namespace voltarix::port
