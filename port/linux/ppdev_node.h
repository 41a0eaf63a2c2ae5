#pragma once

#include "port/linux/ppdev_syscalls.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <string>

namespace voltarix::port::linux_ {

// One ppdev node, opened and claimed, seen as the three registers of a port.
//
// ppdev keeps its own copy of control bits 0-3 and handles the data
// direction separately, so the node rebuilds the control register the way
// the hardware would show it: bits 0-3 as last written, bit 5 as the
// direction last set here. Every call returns 0 or an errno value.
//
// Reads and writes may come from two threads at once (the kernel serialises
// the calls themselves); open and close may not overlap with them.
class PpdevNode {
public:
    // How long a claim may wait for a holder that took the port after the
    // busy check looked, before the port counts as busy. The kernel holds
    // every ppdev call of the system, the holder's too, while a claim waits.
    static constexpr std::chrono::milliseconds ClaimBound{200};

    PpdevNode(PpdevSyscalls& syscalls, std::string path);
    ~PpdevNode();

    PpdevNode(const PpdevNode&) = delete;
    PpdevNode& operator=(const PpdevNode&) = delete;

    // Opens the node and claims the port for this process; EBUSY when
    // another holder keeps the port, ENXIO when the node has no port.
    int open();
    // Closes the node, which releases the port, without waiting for anyone;
    // harmless when not open.
    void close();
    bool isOpen() const { return fd_ >= 0; }

    // Offsets 0 (data), 1 (status) and 2 (control); others give EINVAL.
    int read(std::uint8_t offset, std::uint8_t& value);
    // Writes to the status register are ignored, as the hardware ignores them.
    int write(std::uint8_t offset, std::uint8_t value);

    // Whether the port can turn its data lines around (set at open).
    bool canTristate() const { return tristate_; }

private:
    // Claims the port, waiting a short while at most: a port that another
    // holder keeps answers EBUSY.
    int claim();
    int call(unsigned long request, void* argument);
    int writeControl(std::uint8_t value);
    int setReverse(bool reverse);

    PpdevSyscalls& syscalls_;
    std::string path_;
    int fd_ = -1;
    bool tristate_ = false;
    std::atomic<bool> reverse_ = false;
};

} // namespace voltarix::port::linux_
