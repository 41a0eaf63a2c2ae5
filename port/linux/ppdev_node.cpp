#include "port/linux/ppdev_node.h"

#include "port/linux/thread_alarm.h"
#include "port/port_codes.h"

#include <cerrno>
#include <chrono>
#include <linux/parport.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>

namespace voltarix::port::linux_ {

namespace {

// The control bits ppdev keeps and reports; the rest are not its to give.
constexpr std::uint8_t KernelControlBits = 0x0F;

// How often a waiting claim is woken after the bound, should one wake-up
// come too early.
constexpr std::chrono::milliseconds ClaimRewake{20};

} // namespace

PpdevNode::PpdevNode(PpdevSyscalls& syscalls, std::string path)
    : syscalls_(syscalls), path_(std::move(path)) {}

PpdevNode::~PpdevNode() {
    close();
}

int PpdevNode::open() {
    close();
    errno = 0;
    const int fd = syscalls_.open(path_);
    if (fd < 0)
        return errno != 0 ? errno : EIO;
    fd_ = fd;
    if (const int error = claim(); error != 0) {
        syscalls_.close(fd_);
        fd_ = -1;
        return error;
    }

    unsigned int modes = 0;
    tristate_ = call(PPGETMODES, &modes) == 0 && (modes & PARPORT_MODE_TRISTATE) != 0;
    // A first claim puts the port into the kernel's initial state (control
    // 0x0C, data lines forward) on parport_pc; other low-level drivers need
    // not, so the direction is set forward here, and what we report is true.
    reverse_ = false;
    if (tristate_ && setReverse(false) != 0)
        tristate_ = false;
    return 0;
}

int PpdevNode::claim() {
    // The kernel's claim sleeps for as long as another holder keeps the
    // port, even for ever; only a signal ends that sleep early.
    const ThreadAlarm alarm(ClaimBound, ClaimRewake);
    const int error = call(PPCLAIM, nullptr);
    return error == EINTR ? EBUSY : error;
}

void PpdevNode::close() {
    if (fd_ < 0)
        return;
    // Closing the node releases the claim. PPRELEASE would too, but like
    // every ppdev ioctl it waits for the kernel's one lock, which another
    // program's claim keeps for as long as it sleeps on our port: the close
    // would wait for a claim that waits for the close.
    syscalls_.close(fd_);
    fd_ = -1;
    tristate_ = false;
    reverse_ = false;
}

int PpdevNode::read(std::uint8_t offset, std::uint8_t& value) {
    unsigned char byte = 0;
    int error = 0;
    switch (offset) {
    case RegData:
        error = call(PPRDATA, &byte);
        break;
    case RegStatus:
        error = call(PPRSTATUS, &byte);
        break;
    case RegControl:
        error = call(PPRCONTROL, &byte);
        byte =
            static_cast<unsigned char>((byte & KernelControlBits) | (reverse_ ? CtrlDirection : 0));
        break;
    default:
        return EINVAL;
    }
    if (error == 0)
        value = byte;
    return error;
}

int PpdevNode::write(std::uint8_t offset, std::uint8_t value) {
    switch (offset) {
    case RegData: {
        unsigned char byte = value;
        return call(PPWDATA, &byte);
    }
    case RegStatus:
        return isOpen() ? 0 : EBADF;
    case RegControl:
        return writeControl(value);
    default:
        return EINVAL;
    }
}

int PpdevNode::writeControl(std::uint8_t value) {
    unsigned char bits = value & KernelControlBits;
    if (const int error = call(PPWCONTROL, &bits); error != 0)
        return error;
    // A port that cannot turn its data lines around keeps bit 5 clear, so a
    // direction probe finds out that it is not bidirectional.
    const bool reverse = (value & CtrlDirection) != 0;
    if (!tristate_ || reverse == reverse_)
        return 0;
    return setReverse(reverse);
}

int PpdevNode::setReverse(bool reverse) {
    int direction = reverse ? 1 : 0;
    const int error = call(PPDATADIR, &direction);
    if (error == 0)
        reverse_ = reverse;
    return error;
}

int PpdevNode::call(unsigned long request, void* argument) {
    if (fd_ < 0)
        return EBADF;
    errno = 0;
    if (syscalls_.ioctl(fd_, request, argument) >= 0)
        return 0;
    // A failure must always show as a non-zero error, even from a call that
    // forgot to say why.
    return errno != 0 ? errno : EIO;
}

} // namespace voltarix::port::linux_
