#pragma once

#include "port/linux/ppdev_syscalls.h"

namespace voltarix::port::linux_ {

// The kernel's own open, close and ioctl.
class SystemPpdevSyscalls final : public PpdevSyscalls {
public:
    int open(const std::string& path) override;
    int close(int fd) override;
    int ioctl(int fd, unsigned long request, void* argument) override;
};

} // namespace voltarix::port::linux_
