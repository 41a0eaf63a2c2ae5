#pragma once

#include "port/lpt_port_connection.h"
#include "port/windows/windows_port_platform.h"

#include <memory>
#include <string>

namespace voltarix::port::windows::testing {

// A port connection over the Windows provider, with the provider kept in
// view and the last error taken right after construction, as the start-up
// failure box would show it.
struct ConnectionUnderTest {
    explicit ConnectionUnderTest(std::string devicePath = WindowsPortPlatform::DriverDevicePath) {
        auto owned = std::make_unique<WindowsPortPlatform>(std::move(devicePath));
        platform = owned.get();
        connection = std::make_unique<TLptPortConnection>(std::move(owned));
        lastErrorAfterConstruction = connection->lastError();
    }
    void destroy() {
        platform = nullptr;
        connection.reset();
    }

    WindowsPortPlatform* platform = nullptr;
    std::unique_ptr<TLptPortConnection> connection;
    int lastErrorAfterConstruction = 0;
};

} // namespace voltarix::port::windows::testing
