#pragma once

#include "port/linux/ppdev_syscalls.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <ctime>
#include <linux/parport.h>
#include <linux/ppdev.h>
#include <map>
#include <mutex>
#include <poll.h>
#include <string>
#include <sys/ioctl.h>
#include <vector>

namespace voltarix::port::linux_::testing {

// One port as ppdev shows it: the kernel's copy of the registers, whether
// another holder keeps it, and the calls made on it. Its state changes under
// its own lock, as the kernel's port has one apart from ppdev's; the counts
// may be read while another thread works on the port.
struct FakeParport {
    std::mutex lock;
    unsigned int modes = PARPORT_MODE_PCSPP;
    // The data latch: what was written, and what a read gives while the
    // data lines drive.
    std::uint8_t data = 0;
    // The data lines as something outside drives them, read while reversed;
    // nothing drives them here, so they float high.
    std::uint8_t lines = 0xFF;
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

    std::atomic<bool> claimed = false;
    std::atomic<int> claims = 0;
    std::atomic<int> claimSleeps = 0;
    // A claim that slept until the fake gave up waiting for a signal: the
    // real kernel would have slept for ever.
    std::atomic<int> claimsNeverWoken = 0;
    // A claim tried again on a descriptor whose earlier claim was
    // interrupted: the kernel still has that descriptor queued for the port.
    std::atomic<int> claimsRetriedWhileQueued = 0;
    // By PPRELEASE or by closing a descriptor that held the port.
    std::atomic<int> releases = 0;
    std::vector<std::uint8_t> controlWrites;
    std::vector<int> directionWrites;
};

// ppdev's side of open, close and ioctl, over ports keyed by node path.
//
// As in the kernel, every ioctl of every descriptor goes through one lock,
// which a claim keeps while it sleeps on a held port; open and close do
// not take it. A descriptor becomes a device of its port at its first
// claim, with the port's initial state (control 0x0C, data lines forward);
// a release saves the port's state into the descriptor, a later claim on
// the same descriptor puts that back, and closing a descriptor that holds
// the port releases it.
class FakePpdevKernel final : public PpdevSyscalls {
public:
    explicit FakePpdevKernel(std::map<std::string, FakeParport>& ports) : ports_(ports) {}

    int openDescriptors() const {
        const std::lock_guard<std::mutex> table(tableLock_);
        return static_cast<int>(fds_.size());
    }

    int open(const std::string& path) override {
        const auto port = ports_.find(path);
        if (port == ports_.end())
            return fail(ENOENT);
        if (port->second.openError != 0)
            return fail(port->second.openError);
        const std::lock_guard<std::mutex> table(tableLock_);
        fds_[nextFd_] = Descriptor{path};
        return nextFd_++;
    }

    int close(int fd) override {
        const std::lock_guard<std::mutex> table(tableLock_);
        const auto open = fds_.find(fd);
        if (open == fds_.end())
            return fail(EBADF);
        if (open->second.holdsPort)
            release(ports_.at(open->second.path), open->second);
        fds_.erase(open);
        return 0;
    }

    int ioctl(int fd, unsigned long request, void* argument) override {
        const std::lock_guard<std::mutex> everyPpdevCall(ioctlLock());
        Descriptor* found = descriptorOf(fd);
        if (found == nullptr)
            return fail(EBADF);
        Descriptor& descriptor = *found;
        FakeParport& port = ports_.at(descriptor.path);
        if (const auto failing = port.failingRequests.find(request);
            failing != port.failingRequests.end())
            return fail(failing->second);
        if (request == PPCLAIM)
            return claim(port, descriptor);
        if (request == PPGETMODES) {
            if (port.stale)
                return fail(ENODEV);
            *static_cast<unsigned int*>(argument) = port.modes;
            return 0;
        }
        if (!descriptor.holdsPort)
            return fail(EINVAL);
        if (request == PPRELEASE) {
            release(port, descriptor);
            return 0;
        }
        const std::lock_guard<std::mutex> state(port.lock);
        return registerCall(port, request, argument);
    }

    // How long a claim on a held port sleeps before the fake stops waiting
    // for the signal that the program under test should have sent.
    static constexpr std::chrono::seconds NeverWokenAfter{5};

    // The one lock of every ppdev call in the system.
    static std::mutex& ioctlLock() {
        static std::mutex lock;
        return lock;
    }

private:
    struct Descriptor {
        std::string path;
        bool holdsPort = false;
        // A device of its port since its first claim, with the state the
        // port gets back at the next claim.
        bool registered = false;
        std::uint8_t savedControl = 0x0C;
        bool savedReverse = false;
        // Its claim was interrupted while the port was held: the kernel
        // keeps it queued until the descriptor is closed.
        bool queued = false;
    };

    static int fail(int error) {
        errno = error;
        return -1;
    }

    // The table changes under open and close, which do not wait for the
    // ioctl lock; an entry stays where it is while its descriptor is open.
    Descriptor* descriptorOf(int fd) {
        const std::lock_guard<std::mutex> table(tableLock_);
        const auto open = fds_.find(fd);
        return open == fds_.end() ? nullptr : &open->second;
    }

    // As ppdev's PPCLAIM: a second claim on the same descriptor is refused,
    // a node without a port answers ENXIO, a held port puts the caller to an
    // interruptible sleep, and a claim restores the descriptor's state.
    static int claim(FakeParport& port, Descriptor& descriptor) {
        if (descriptor.holdsPort)
            return fail(EINVAL);
        if (port.stale)
            return fail(ENXIO);
        ++port.claims;
        descriptor.registered = true;
        if (descriptor.queued)
            ++port.claimsRetriedWhileQueued;
        if (port.heldElsewhere || port.claimed)
            return sleepUntilSignalled(port, descriptor);
        const std::lock_guard<std::mutex> state(port.lock);
        descriptor.holdsPort = true;
        port.claimed = true;
        port.control = descriptor.savedControl;
        port.reverse = descriptor.savedReverse;
        return 0;
    }

    static void release(FakeParport& port, Descriptor& descriptor) {
        const std::lock_guard<std::mutex> state(port.lock);
        descriptor.holdsPort = false;
        descriptor.savedControl = port.control;
        descriptor.savedReverse = port.reverse;
        port.claimed = false;
        ++port.releases;
    }

    // A real sleep in the kernel, which only a signal handler ends early.
    static int sleepUntilSignalled(FakeParport& port, Descriptor& descriptor) {
        ++port.claimSleeps;
        descriptor.queued = true;
        timespec timeout{NeverWokenAfter.count(), 0};
        if (::ppoll(nullptr, 0, &timeout, nullptr) == 0)
            ++port.claimsNeverWoken;
        return fail(EINTR);
    }

    static int registerCall(FakeParport& port, unsigned long request, void* argument) {
        auto* byte = static_cast<unsigned char*>(argument);
        switch (request) {
        case PPRDATA:
            *byte = port.reverse ? port.lines : port.data;
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
            // bit 5 (never back), a path the program must never take.
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
    mutable std::mutex tableLock_;
    std::map<int, Descriptor> fds_;
    int nextFd_ = 10;
};

} // namespace voltarix::port::linux_::testing
