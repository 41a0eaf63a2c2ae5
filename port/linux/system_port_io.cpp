#include "port/linux/system_port_io.h"

#include <cerrno>

#if defined(__x86_64__) || defined(__i386__)
#define VOLTARIX_HAS_PORT_IO 1
#include <sys/io.h>
#else
#define VOLTARIX_HAS_PORT_IO 0
#endif

namespace voltarix::port::linux_ {

int SystemPortIo::permit(std::uint16_t first, std::uint16_t count, bool on) {
#if VOLTARIX_HAS_PORT_IO
    if (::ioperm(first, count, on ? 1 : 0) == 0)
        return 0;
    return errno != 0 ? errno : EPERM;
#else
    (void)first;
    (void)count;
    (void)on;
    return ENOSYS;
#endif
}

std::uint8_t SystemPortIo::in(std::uint16_t address) {
#if VOLTARIX_HAS_PORT_IO
    return ::inb(address);
#else
    (void)address;
    return 0xFF;
#endif
}

void SystemPortIo::out(std::uint16_t address, std::uint8_t value) {
#if VOLTARIX_HAS_PORT_IO
    ::outb(value, address);
#else
    (void)address;
    (void)value;
#endif
}

} // namespace voltarix::port::linux_
