#include "service_manager.h"

#include <vector>

namespace voltarix::port::windows::testing {

namespace {

std::string textOf(const char* text) {
    return text ? std::string(text) : std::string();
}

// Polls a service's state until it is `wanted`, for at most ten seconds:
// the service control manager answers a control before the service has
// acted on it.
bool waitForState(SC_HANDLE service, DWORD wanted) {
    for (int attempt = 0; attempt < 200; ++attempt) {
        if (ServiceManager::state(service) == wanted)
            return true;
        ::Sleep(50);
    }
    return false;
}

} // namespace

ServiceManager::ServiceManager()
    : manager_(::OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS)) {}

ServiceHandle ServiceManager::open(const char* name) {
    ::SetLastError(0);
    ServiceHandle service(::OpenServiceA(manager_.get(), name, SERVICE_ALL_ACCESS));
    lastOpenError_ = service ? 0 : ::GetLastError();
    return service;
}

bool ServiceManager::exists(const char* name) {
    return open(name) != nullptr;
}

std::optional<ServiceConfig> ServiceManager::config(const char* name) {
    const ServiceHandle service = open(name);
    if (!service)
        return std::nullopt;
    DWORD needed = 0;
    ::QueryServiceConfigA(service.get(), nullptr, 0, &needed);
    std::vector<char> buffer(needed + sizeof(QUERY_SERVICE_CONFIGA));
    auto* raw = reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer.data());
    if (!::QueryServiceConfigA(service.get(), raw, static_cast<DWORD>(buffer.size()), &needed))
        return std::nullopt;
    return ServiceConfig{raw->dwServiceType,
                         raw->dwStartType,
                         raw->dwErrorControl,
                         textOf(raw->lpBinaryPathName),
                         textOf(raw->lpLoadOrderGroup),
                         raw->dwTagId,
                         textOf(raw->lpDependencies),
                         textOf(raw->lpServiceStartName),
                         textOf(raw->lpDisplayName)};
}

DWORD ServiceManager::state(const char* name) {
    const ServiceHandle service = open(name);
    return service ? state(service.get()) : 0;
}

DWORD ServiceManager::state(SC_HANDLE service) {
    SERVICE_STATUS status{};
    if (!::QueryServiceStatus(service, &status))
        return 0;
    return status.dwCurrentState;
}

bool ServiceManager::create(const char* name, const char* displayName, DWORD type,
                            const std::string& path) {
    const ServiceHandle service(::CreateServiceA(
        manager_.get(), name, displayName, SERVICE_ALL_ACCESS, type, SERVICE_DEMAND_START,
        SERVICE_ERROR_NORMAL, path.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr));
    return service != nullptr;
}

void ServiceManager::removeCompletely(const char* name) {
    const ServiceHandle service = open(name);
    if (!service)
        return;
    if (state(service.get()) != SERVICE_STOPPED)
        stopAndWait(service.get());
    ::DeleteService(service.get());
}

bool ServiceManager::waitUntilGone(const char* name) {
    for (int attempt = 0; attempt < 200; ++attempt) {
        if (!exists(name))
            return true;
        ::Sleep(50);
    }
    return false;
}

bool ServiceManager::stopAndWait(SC_HANDLE service) {
    SERVICE_STATUS status{};
    ::ControlService(service, SERVICE_CONTROL_STOP, &status);
    return waitForState(service, SERVICE_STOPPED);
}

} // namespace voltarix::port::windows::testing
