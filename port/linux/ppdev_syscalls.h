#pragma once

#include <string>

namespace voltarix::port::linux_ {

// The three system calls a ppdev node is driven with. They follow the C
// convention (-1 and errno on failure) so that a stand-in kernel in tests
// behaves exactly as the real one does towards its callers.
class PpdevSyscalls {
public:
    virtual ~PpdevSyscalls() = default;

    // Opens a node for reading and writing; a descriptor or -1.
    virtual int open(const std::string& path) = 0;
    virtual int close(int fd) = 0;
    virtual int ioctl(int fd, unsigned long request, void* argument) = 0;
};

} // namespace voltarix::port::linux_
