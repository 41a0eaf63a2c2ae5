#include "io_space.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <string>
#include <unistd.h>

namespace voltarix::kerneltest {

IoSpace::IoSpace() : fd_(::open("/dev/port", O_RDWR | O_CLOEXEC)) {
    if (fd_ < 0)
        throw std::runtime_error(std::string("/dev/port: ") + std::strerror(errno));
}

IoSpace::~IoSpace() {
    ::close(fd_);
}

std::uint8_t IoSpace::in(std::uint16_t address) const {
    std::uint8_t value = 0;
    if (::pread(fd_, &value, 1, address) != 1)
        throw std::runtime_error("reading I/O address " + std::to_string(address) + " failed");
    return value;
}

void IoSpace::out(std::uint16_t address, std::uint8_t value) const {
    if (::pwrite(fd_, &value, 1, address) != 1)
        throw std::runtime_error("writing I/O address " + std::to_string(address) + " failed");
}

} // namespace voltarix::kerneltest
