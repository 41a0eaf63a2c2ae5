#pragma once

#include "port/linux/ppdev_syscalls.h"

#include <cerrno>
#include <cstdint>
#include <linux/parport.h>
#include <linux/ppdev.h>
#include <map>
#include <string>
#include <sys/ioctl.h>
#include <vector>

namespace voltarix::port::linux_::testing {

// One port as ppdev shows it: the kernel's copy of the registers and the
// calls made on it.
struct FakeParport {
    unsigned int modes = PARPORT_MODE_PCSPP;
    std::uint8_t data = 0;
    std::uint8_t status = 0x78;
    std::uint8_t control = 0x0C;
    // Bits a driver might leave set above the four it keeps.
    std::uint8_t controlNoise = 0;
    bool reverse = false;

    int openError = 0;
    int claimError = 0;
    std::map<unsigned long, int> failingRequests; // request -> errno

    bool claimed = false;
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
        if (request == PPCLAIM) {
            if (port.claimError != 0)
                return fail(port.claimError);
            port.claimed = true;
            return 0;
        }
        if (request == PPGETMODES) {
            *static_cast<unsigned int*>(argument) = port.modes;
            return 0;
        }
        if (!port.claimed)
            return fail(EINVAL);
        return registerCall(port, request, argument);
    }

private:
    static int fail(int error) {
        errno = error;
        return -1;
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
            port.control = *byte;
            port.controlWrites.push_back(*byte);
            return 0;
        case PPDATADIR:
            port.reverse = *static_cast<int*>(argument) != 0;
            port.directionWrites.push_back(*static_cast<int*>(argument));
            return 0;
        default:
            return fail(ENOTTY);
        }
    }

    std::map<std::string, FakeParport>& ports_;
    std::map<int, std::string> fds_;
    int nextFd_ = 10;
};

} // namespace voltarix::port::linux_::testing
