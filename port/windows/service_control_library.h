#pragma once

#include <windows.h>
#include <winsvc.h>

namespace voltarix::port::windows {

// The service control manager functions, taken by name from ADVAPI32.DLL at
// run time, so that the program also starts where the library or one of
// them is missing. The pointer types come from the system headers, which
// keeps the calling convention right on the 32-bit build.
class ServiceControlLibrary {
public:
    ServiceControlLibrary() = default;
    ~ServiceControlLibrary();

    ServiceControlLibrary(const ServiceControlLibrary&) = delete;
    ServiceControlLibrary& operator=(const ServiceControlLibrary&) = delete;

    // Loads the library and takes the six entry points. False (and nothing
    // loaded) when the library or any entry point is missing.
    bool load();
    void unload();
    bool loaded() const { return module_ != nullptr; }

    decltype(&::OpenSCManagerA) OpenSCManagerA = nullptr;
    decltype(&::CloseServiceHandle) CloseServiceHandle = nullptr;
    decltype(&::CreateServiceA) CreateServiceA = nullptr;
    decltype(&::StartServiceA) StartServiceA = nullptr;
    decltype(&::OpenServiceA) OpenServiceA = nullptr;
    decltype(&::DeleteService) DeleteService = nullptr;

private:
    bool takeEntryPoints();
    template <typename Function> bool take(Function& entry, const char* name);

    HMODULE module_ = nullptr;
};

} // namespace voltarix::port::windows
