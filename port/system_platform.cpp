#include "port/system_platform.h"

#include "port/linux/linux_port_platform.h"

namespace voltarix::port {

std::unique_ptr<PortPlatform> createSystemPlatform() {
    return std::make_unique<LinuxPortPlatform>();
}

} // namespace voltarix::port
