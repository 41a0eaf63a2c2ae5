// A service process for the tests: it records into the file named by its
// first command-line argument how it was started and every control it was
// sent, and runs until it is told to stop (or a minute has passed).
#include <windows.h>
#include <winsvc.h>

#include <cstdio>
#include <string>

namespace {

std::string recordPath;
HANDLE stopRequested = nullptr;
SERVICE_STATUS_HANDLE statusHandle = nullptr;

void record(const std::string& line) {
    if (FILE* file = std::fopen(recordPath.c_str(), "a")) {
        std::fprintf(file, "%s\n", line.c_str());
        std::fclose(file);
    }
}

void report(DWORD state) {
    SERVICE_STATUS status{};
    status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
    status.dwCurrentState = state;
    status.dwControlsAccepted = state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP : 0;
    ::SetServiceStatus(statusHandle, &status);
}

DWORD WINAPI onControl(DWORD control, DWORD, void*, void*) {
    record("control " + std::to_string(control));
    if (control == SERVICE_CONTROL_STOP)
        ::SetEvent(stopRequested);
    return NO_ERROR;
}

void WINAPI serviceMain(DWORD argc, LPSTR* argv) {
    statusHandle = ::RegisterServiceCtrlHandlerExA(argc > 0 ? argv[0] : "", onControl, nullptr);
    // The first argument is always the service's own name.
    record("start arguments " + std::to_string(argc > 0 ? argc - 1 : 0));
    report(SERVICE_RUNNING);
    ::WaitForSingleObject(stopRequested, 60000);
    record("stopped");
    report(SERVICE_STOPPED);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2)
        return 2;
    recordPath = argv[1];
    stopRequested = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    char ownName[] = "";
    SERVICE_TABLE_ENTRYA table[] = {{ownName, serviceMain}, {nullptr, nullptr}};
    return ::StartServiceCtrlDispatcherA(table) ? 0 : 1;
}
