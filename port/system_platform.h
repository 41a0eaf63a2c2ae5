#pragma once

#include "port/port_platform.h"

#include <memory>

namespace voltarix::port {

// The port provider of the operating system the program was built for.
std::unique_ptr<PortPlatform> createSystemPlatform();

} // namespace voltarix::port
