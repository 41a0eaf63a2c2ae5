#pragma once

#include "port/linux/ppdev_syscalls.h"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <ctime>
#include <linux/parport.h>
#include <linux/ppdev.h>
#include <map>
#include <poll.h>
#include <string>
#include <sys/ioctl.h>
#include <vector>

namespace voltarix::port::linux_::testing {

// One port as ppdev shows it: the kernel's copy of the registers, whether
// another holder keeps it, and the calls made on it.
struct FakeParport {
    unsigned int modes = PARPORT_MODE_PCSPP;
    std::uint8_t data = 0;
    std::uint8_t status = 0x78;
    std::uint8_t control = 0x0C;
    // Bits a driver might leave set above the four it keeps.
    std::uint8_t controlNoise = 0;
    bool reverse = false;

    int openError = 0;
    // The node outlived its port (the module went away): the claim finds no
    // port behind it.
    bool stale = false;
    // Another program or driver holds the port: a claim sleeps until it lets
    // go, which in a test it never does.
    bool heldElsewhere = false;
    std::map<unsigned long, int> failingRequests; // request -> errno

    bool claimed = false;
    int claims = 0;
    int claimSleeps = 0;
    // A claim that slept until the fake gave up waiting for a signal: the
    // real kernel would have slept for ever.
    int claimsNeverWoken = 0;
    int releases = 0;
    std::vector<std::uint8_t> controlWrites;
    std::vector<int> directionWrites;
};

// ppdev's side of open, close and ioctl, over ports keyed by node path.
class FakePpdevKernel final : public PpdevSyscalls {
public:
    explicit FakePpdevKernel(std::map<std::string, FakeParport>& ports) : ports_(ports) {}

    int openDescriptors() const { return static_cast<int>(fds_.size()); }

    int open(const std::string& path) override {
        const auto port = ports_.find(path);
        if (port == ports_.end())
            return fail(ENOENT);
        if (port->second.openError != 0)
            return fail(port->second.openError);
        fds_[nextFd_] = path;
        return nextFd_++;
    }

    int close(int fd) override {
        if (fds_.erase(fd) == 0)
            return fail(EBADF);
        return 0;
    }

    int ioctl(int fd, unsigned long request, void* argument) override {
        const auto open = fds_.find(fd);
        if (open == fds_.end())
            return fail(EBADF);
        FakeParport& port = ports_.at(open->second);
        if (const auto failing = port.failingRequests.find(request);
            failing != port.failingRequests.end())
            return fail(failing->second);
        if (request == PPCLAIM)
            return claim(port);
        if (request == PPGETMODES) {
            if (port.stale)
                return fail(ENODEV);
            *static_cast<unsigned int*>(argument) = port.modes;
            return 0;
        }
        if (!port.claimed)
            return fail(EINVAL);
        return registerCall(port, request, argument);
    }

    // How long a claim on a held port sleeps before the fake stops waiting
    // for the signal that the program under test should have sent.
    static constexpr std::chrono::seconds NeverWokenAfter{5};

private:
    static int fail(int error) {
        errno = error;
        return -1;
    }

    // As ppdev's PPCLAIM: a second claim on the same descriptor is refused,
    // a node without a port answers ENXIO, a held port puts the caller to an
    // interruptible sleep, and a claim restores the device's initial state.
    static int claim(FakeParport& port) {
        if (port.claimed)
            return fail(EINVAL);
        if (port.stale)
            return fail(ENXIO);
        ++port.claims;
        if (port.heldElsewhere)
            return sleepUntilSignalled(port);
        port.claimed = true;
        port.control = 0x0C;
        port.reverse = false;
        return 0;
    }

    // A real sleep in the kernel, which only a signal handler ends early.
    static int sleepUntilSignalled(FakeParport& port) {
        ++port.claimSleeps;
        timespec timeout{NeverWokenAfter.count(), 0};
        if (::ppoll(nullptr, 0, &timeout, nullptr) == 0)
            ++port.claimsNeverWoken;
        return fail(EINTR);
    }

    static int registerCall(FakeParport& port, unsigned long request, void* argument) {
        auto* byte = static_cast<unsigned char*>(argument);
        switch (request) {
        case PPRELEASE:
            port.claimed = false;
            ++port.releases;
            return 0;
        case PPRDATA:
            *byte = port.data;
            return 0;
        case PPWDATA:
            port.data = *byte;
            return 0;
        case PPRSTATUS:
            *byte = port.status;
            return 0;
        case PPRCONTROL:
            *byte = static_cast<unsigned char>((port.control & 0x0F) | port.controlNoise);
            return 0;
        case PPWCONTROL:
            // parport_pc keeps bits 0-3 and turns the data lines around on
            // bit 5, a path the program must never take.
            port.control = *byte & 0x0F;
            port.controlWrites.push_back(*byte);
            if ((*byte & 0x20) != 0)
                setReverse(port, true);
            return 0;
        case PPDATADIR:
            port.directionWrites.push_back(*static_cast<int*>(argument));
            setReverse(port, *static_cast<int*>(argument) != 0);
            return 0;
        default:
            return fail(ENOTTY);
        }
    }

    // Only a port that can tristate its data lines turns them around.
    static void setReverse(FakeParport& port, bool reverse) {
        if ((port.modes & PARPORT_MODE_TRISTATE) != 0)
            port.reverse = reverse;
    }

    std::map<std::string, FakeParport>& ports_;
    std::map<int, std::string> fds_;
    int nextFd_ = 10;
};

} // namespace voltarix::port::linux_::testing
