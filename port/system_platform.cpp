#include "port/system_platform.h"

#ifdef _WIN32
#include "port/windows/windows_port_platform.h"
#else
#include "port/linux/linux_port_platform.h"
#endif

namespace voltarix::port {

std::unique_ptr<PortPlatform> createSystemPlatform() {
#ifdef _WIN32
    return std::make_unique<windows::WindowsPortPlatform>();
#else
    return std::make_unique<LinuxPortPlatform>();
#endif
}

} // namespace voltarix::port
