#pragma once

#include "port/port_platform.h"
#include "port/windows/driver_service.h"

#include <windows.h>

#include <string>

namespace voltarix::port::windows {

// The parallel ports of a Windows machine: on the NT family through the port
// driver's device and the driver service, on the 9x family also directly
// with the processor's port instructions.
class WindowsPortPlatform final : public PortPlatform {
public:
    static constexpr const char* DriverDevicePath = R"(\\.\LptAccessAgent)";
    static constexpr DWORD ReadRequestCode = 0x00220050;
    static constexpr DWORD WriteRequestCode = 0x00220060;

    WindowsPortPlatform() : WindowsPortPlatform(DriverDevicePath) {}
    // Another device path, for tests that need a device Windows can open.
    explicit WindowsPortPlatform(std::string devicePath);
    ~WindowsPortPlatform() override;

    WindowsPortPlatform(const WindowsPortPlatform&) = delete;
    WindowsPortPlatform& operator=(const WindowsPortPlatform&) = delete;

    // The NT family, as the version query reports it.
    bool isProtectedPlatform() override;

    int lastError() const override;
    void setLastError(int code) override;

    bool openDevice() override;
    void closeDevice() override;

    // One device control request each, the records serving as both input and
    // output buffer. The request's own result is left to the last error.
    void readRequest(std::span<AccessRecord> records) override;
    void writeRequest(std::span<const AccessRecord> records) override;

    bool startDriverService() override;
    void removeDriverService() override;

    std::uint8_t directIn(std::uint16_t address) override;
    void directOut(std::uint16_t address, std::uint8_t value) override;

    const std::string& devicePath() const { return devicePath_; }
    const DriverService& driverService() const { return driverService_; }

private:
    void request(DWORD code, AccessRecord* records, std::size_t count);

    std::string devicePath_;
    HANDLE device_ = INVALID_HANDLE_VALUE;
    DriverService driverService_;
};

} // namespace voltarix::port::windows
