#include "port/windows/windows_port_platform.h"

#include <intrin.h>
#include <winioctl.h>

#include <new>
#include <vector>

namespace voltarix::port::windows {

namespace {

constexpr DWORD DeviceAccess = GENERIC_READ | GENERIC_WRITE;
constexpr DWORD DeviceShareMode = FILE_SHARE_READ | FILE_SHARE_WRITE;
static_assert(DeviceAccess == 0xC0000000 && DeviceShareMode == 3);

// The size field of the version record the query is given.
constexpr DWORD VersionRecordSize = 148;
static_assert(sizeof(OSVERSIONINFOA) == VersionRecordSize);

// Device type, function and method of the two requests.
constexpr DWORD requestCode(DWORD function) {
    return CTL_CODE(FILE_DEVICE_UNKNOWN, function, METHOD_BUFFERED, FILE_ANY_ACCESS);
}
static_assert(requestCode(0x14) == WindowsPortPlatform::ReadRequestCode);
static_assert(requestCode(0x18) == WindowsPortPlatform::WriteRequestCode);

// A request's buffer size is a 32-bit count of bytes.
constexpr std::size_t MaxRecordsPerRequest = MAXDWORD / sizeof(AccessRecord);

} // namespace

WindowsPortPlatform::WindowsPortPlatform(std::string devicePath)
    : devicePath_(std::move(devicePath)) {}

WindowsPortPlatform::~WindowsPortPlatform() {
    closeDevice();
}

bool WindowsPortPlatform::isProtectedPlatform() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = VersionRecordSize;
    if (!::GetVersionExA(&version))
        return true;
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

int WindowsPortPlatform::lastError() const {
    return static_cast<int>(::GetLastError());
}

void WindowsPortPlatform::setLastError(int code) {
    ::SetLastError(static_cast<DWORD>(code));
}

bool WindowsPortPlatform::openDevice() {
    closeDevice();
    device_ = ::CreateFileA(devicePath_.c_str(), DeviceAccess, DeviceShareMode, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    return device_ != INVALID_HANDLE_VALUE;
}

void WindowsPortPlatform::closeDevice() {
    if (device_ != INVALID_HANDLE_VALUE)
        ::CloseHandle(device_);
    device_ = INVALID_HANDLE_VALUE;
}

void WindowsPortPlatform::readRequest(std::span<AccessRecord> records) {
    request(ReadRequestCode, records.data(), records.size());
}

void WindowsPortPlatform::writeRequest(std::span<const AccessRecord> records) {
    // The driver may write into the output buffer of a write too; the
    // caller's records are not ours to change, so the request carries a copy
    // as its input and output.
    std::vector<AccessRecord> buffer;
    try {
        buffer.assign(records.begin(), records.end());
    } catch (const std::bad_alloc&) {
        ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return;
    }
    request(WriteRequestCode, buffer.data(), buffer.size());
}

void WindowsPortPlatform::request(DWORD code, AccessRecord* records, std::size_t count) {
    if (count > MaxRecordsPerRequest) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return;
    }
    const auto size = static_cast<DWORD>(count * sizeof(AccessRecord));
    DWORD returned = 0;
    ::DeviceIoControl(device_, code, records, size, records, size, &returned, nullptr);
}

bool WindowsPortPlatform::startDriverService() {
    return driverService_.start();
}

void WindowsPortPlatform::removeDriverService() {
    driverService_.remove();
}

std::uint8_t WindowsPortPlatform::directIn(std::uint16_t address) {
    return __inbyte(address);
}

void WindowsPortPlatform::directOut(std::uint16_t address, std::uint8_t value) {
    __outbyte(address, value);
}

} // namespace voltarix::port::windows
