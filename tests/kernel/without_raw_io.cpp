#include "without_raw_io.h"

#include <cerrno>
#include <cstring>
#include <linux/capability.h>
#include <stdexcept>
#include <string>
#include <sys/syscall.h>
#include <unistd.h>

namespace voltarix::kerneltest {

WithoutRawIo::WithoutRawIo() {
    if (const int error = setEffective(false); error != 0)
        throw std::runtime_error(std::string("capset: ") + std::strerror(error));
}

WithoutRawIo::~WithoutRawIo() {
    // Raising a capability that the permitted set holds cannot be refused.
    setEffective(true);
}

int WithoutRawIo::setEffective(bool rawIo) {
    // glibc has no wrapper for these; libcap would be one more package for
    // two system calls.
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[_LINUX_CAPABILITY_U32S_3] = {};
    if (::syscall(SYS_capget, &header, data) != 0)
        return errno;
    const unsigned word = CAP_SYS_RAWIO / 32;
    const std::uint32_t bit = 1u << (CAP_SYS_RAWIO % 32);
    if (rawIo)
        data[word].effective |= bit;
    else
        data[word].effective &= ~bit;
    return ::syscall(SYS_capset, &header, data) == 0 ? 0 : errno;
}

} // namespace voltarix::kerneltest
