#include "port/windows/service_control_library.h"

namespace voltarix::port::windows {

namespace {

constexpr const char* LibraryName = "ADVAPI32.DLL";

} // namespace

ServiceControlLibrary::~ServiceControlLibrary() {
    unload();
}

bool ServiceControlLibrary::load() {
    if (loaded())
        return true;
    module_ = ::LoadLibraryA(LibraryName);
    if (!module_)
        return false;
    // A library without one of them would crash the first call through it.
    if (!takeEntryPoints()) {
        unload();
        return false;
    }
    return true;
}

void ServiceControlLibrary::unload() {
    if (module_)
        ::FreeLibrary(module_);
    module_ = nullptr;
    OpenSCManagerA = nullptr;
    CloseServiceHandle = nullptr;
    CreateServiceA = nullptr;
    StartServiceA = nullptr;
    OpenServiceA = nullptr;
    DeleteService = nullptr;
}

bool ServiceControlLibrary::takeEntryPoints() {
    bool all = take(OpenSCManagerA, "OpenSCManagerA");
    all = take(CloseServiceHandle, "CloseServiceHandle") && all;
    all = take(CreateServiceA, "CreateServiceA") && all;
    all = take(StartServiceA, "StartServiceA") && all;
    all = take(OpenServiceA, "OpenServiceA") && all;
    all = take(DeleteService, "DeleteService") && all;
    return all;
}

template <typename Function> bool ServiceControlLibrary::take(Function& entry, const char* name) {
    // GetProcAddress hands back a generic function pointer; the real type is
    // the one the system headers declare for that name.
    entry =
        reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(module_, name)));
    return entry != nullptr;
}

} // namespace voltarix::port::windows
