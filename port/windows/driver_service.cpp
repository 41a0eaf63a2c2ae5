#include "port/windows/driver_service.h"

namespace voltarix::port::windows {

namespace {

constexpr DWORD ManagerAccess = SC_MANAGER_ALL_ACCESS;
constexpr DWORD ServiceAccess = SERVICE_ALL_ACCESS;
static_assert(ManagerAccess == 0xF003F && ServiceAccess == 0xF01FF);

} // namespace

bool DriverService::start() {
    if (!library_.load())
        return false;
    const SC_HANDLE manager = openManager();
    if (!manager)
        return false;
    driverPath_ = programFolder() + DriverFileName;
    const SC_HANDLE service = createOrOpenService(manager);
    if (service) {
        startService(service);
        library_.CloseServiceHandle(service);
    }
    library_.CloseServiceHandle(manager);
    return service != nullptr;
}

void DriverService::remove() {
    if (!library_.loaded())
        return;
    if (const SC_HANDLE manager = openManager()) {
        if (const SC_HANDLE service = library_.OpenServiceA(manager, ServiceName, ServiceAccess)) {
            library_.DeleteService(service);
            library_.CloseServiceHandle(service);
        }
        library_.CloseServiceHandle(manager);
    }
    library_.unload();
}

SC_HANDLE DriverService::openManager() {
    return library_.OpenSCManagerA(nullptr, nullptr, ManagerAccess);
}

SC_HANDLE DriverService::createOrOpenService(SC_HANDLE manager) {
    const SC_HANDLE created =
        library_.CreateServiceA(manager, ServiceName, DisplayName, ServiceAccess,
                                SERVICE_KERNEL_DRIVER, SERVICE_DEMAND_START, SERVICE_ERROR_NORMAL,
                                driverPath_.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr);
    if (created)
        return created;
    // Typically registered already, by an earlier run or by hand.
    return library_.OpenServiceA(manager, ServiceName, ServiceAccess);
}

void DriverService::startService(SC_HANDLE service) {
    // The outcome is not looked at: the second device open decides.
    argumentCell_ = nullptr;
    library_.StartServiceA(service, 0, &argumentCell_);
}

std::string DriverService::programFolder() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        // Truncated: the path is longer than the buffer.
        path.resize(path.size() * 2);
    }
    const std::string::size_type separator = path.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

} // namespace voltarix::port::windows
