#pragma once

#include "port/linux/port_io.h"

#include <atomic>
#include <cstdint>
#include <memory>

namespace voltarix::port::linux_ {

// Port instructions straight from the process, asking the kernel for each
// address once, when it is first used. An address the kernel refuses reads
// as a floating bus (0xFF) and swallows writes: executing the instruction
// anyway would kill the process.
//
// The kernel grants port instructions to a thread, not to the process (a
// thread started later inherits what its creator held then), so the answers
// are remembered per thread and every thread asks for itself: the sampler
// thread of a capture may use an address first.
class DirectPortAccess {
public:
    explicit DirectPortAccess(std::unique_ptr<PortIo> io);

    // Asks for the three standard port ranges and gives them back at once.
    // True when any of them is refused.
    bool instructionsRefused();

    std::uint8_t in(std::uint16_t address);
    void out(std::uint16_t address, std::uint8_t value);

private:
    enum class Grant : std::uint8_t { Unasked, Granted, Refused };
    // ioperm reaches only the first 0x400 ports.
    static constexpr std::size_t PermittableAddresses = 0x400;

    bool granted(std::uint16_t address);
    // The calling thread's answer for an address.
    Grant& grantOf(std::uint16_t address) const;

    std::unique_ptr<PortIo> io_;
    // Renewed whenever the grants are given back, so that every thread asks again.
    std::atomic<std::uint64_t> generation_;
};

} // namespace voltarix::port::linux_
