#include "port/linux/system_ppdev_syscalls.h"

#include <cerrno>
#include <fcntl.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace voltarix::port::linux_ {

int SystemPpdevSyscalls::open(const std::string& path) {
    // Close-on-exec: a child started by the program must not keep the port claimed.
    return ::open(path.c_str(), O_RDWR | O_CLOEXEC);
}

int SystemPpdevSyscalls::close(int fd) {
    return ::close(fd);
}

int SystemPpdevSyscalls::ioctl(int fd, unsigned long request, void* argument) {
    // A claim sleeps while another program holds the port, and a signal is
    // the only way to end that sleep early: its EINTR goes back to the
    // caller. Other requests do not sleep; a stray signal just repeats them.
    if (request == PPCLAIM)
        return ::ioctl(fd, request, argument);
    int result = 0;
    do {
        result = ::ioctl(fd, request, argument);
    } while (result < 0 && errno == EINTR);
    return result;
}

} // namespace voltarix::port::linux_
