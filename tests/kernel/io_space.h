#pragma once

#include <cstdint>

namespace voltarix::kerneltest {

// The processor's I/O space through the kernel's /dev/port: what the port's
// hardware registers hold, past any driver, for checking what a driver
// reports. Needs root.
class IoSpace {
public:
    IoSpace();
    ~IoSpace();

    IoSpace(const IoSpace&) = delete;
    IoSpace& operator=(const IoSpace&) = delete;

    std::uint8_t in(std::uint16_t address) const;
    void out(std::uint16_t address, std::uint8_t value) const;

private:
    int fd_ = -1;
};

} // namespace voltarix::kerneltest
