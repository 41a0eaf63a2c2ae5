#pragma once

#include <windows.h>
#include <winsvc.h>

#include <memory>
#include <optional>
#include <string>
#include <type_traits>

namespace voltarix::port::windows::testing {

// How a service is registered, as the service control manager reports it.
struct ServiceConfig {
    DWORD type = 0;
    DWORD startType = 0;
    DWORD errorControl = 0;
    std::string binaryPath;
    std::string loadOrderGroup;
    DWORD tagId = 0;
    std::string dependencies;
    std::string startName;
    std::string displayName;
};

struct ServiceHandleCloser {
    void operator()(SC_HANDLE handle) const { ::CloseServiceHandle(handle); }
};
using ServiceHandle = std::unique_ptr<std::remove_pointer_t<SC_HANDLE>, ServiceHandleCloser>;

// The machine's service control manager, seen from the tests: registers,
// inspects and removes services with the system's own functions.
class ServiceManager {
public:
    ServiceManager();

    // The open handle, or null with the last error of OpenServiceA kept in
    // lastOpenError().
    ServiceHandle open(const char* name);
    bool exists(const char* name);
    DWORD lastOpenError() const { return lastOpenError_; }

    std::optional<ServiceConfig> config(const char* name);
    // SERVICE_STOPPED, SERVICE_RUNNING ...; 0 when the service is missing.
    DWORD state(const char* name);
    static DWORD state(SC_HANDLE service);

    // Registers an on-demand service; false when that fails.
    bool create(const char* name, const char* displayName, DWORD type, const std::string& path);
    // Stops the service if it runs, then deletes it, so that a test starts
    // from a machine without it.
    void removeCompletely(const char* name);
    // Waits (bounded) until the service is no longer registered: a deleted
    // service goes once it has stopped and its last handle is closed, which
    // the manager notices a moment after the stop is reported.
    bool waitUntilGone(const char* name);
    // Sends a stop request and waits (bounded) until the service has stopped.
    static bool stopAndWait(SC_HANDLE service);

    SC_HANDLE manager() const { return manager_.get(); }

private:
    ServiceHandle manager_;
    DWORD lastOpenError_ = 0;
};

} // namespace voltarix::port::windows::testing
