#pragma once

#include "port/windows/service_control_library.h"

#include <windows.h>

#include <string>

namespace voltarix::port::windows {

// The port driver's on-demand kernel-driver service "lptwdmio", whose file
// LPTWDMIO.SYS lies in the executable's folder.
//
// start() registers the service (or opens the one already registered) and
// asks it to start; remove() deletes it again. The service is never sent a
// stop request: a driver that was running before may be in use elsewhere.
class DriverService {
public:
    static constexpr const char* ServiceName = "lptwdmio";
    static constexpr const char* DisplayName = "LPT port direct access service";
    static constexpr const char* DriverFileName = "LPTWDMIO.SYS";

    // True when a service was obtained and asked to start, whatever the start
    // gave. The library stays loaded for remove().
    bool start();
    // Deletes the service and unloads the library; nothing when start() never
    // loaded it.
    void remove();

    bool libraryLoaded() const { return library_.loaded(); }
    // The service file path used by the last start(); empty before.
    const std::string& driverPath() const { return driverPath_; }

    // The folder of the running executable, with its trailing separator.
    static std::string programFolder();

private:
    SC_HANDLE openManager();
    SC_HANDLE createOrOpenService(SC_HANDLE manager);
    void startService(SC_HANDLE service);

    ServiceControlLibrary library_;
    std::string driverPath_;
    // The argument vector of the start call: no arguments.
    LPCSTR argumentCell_ = nullptr;
};

} // namespace voltarix::port::windows
