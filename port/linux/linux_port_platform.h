#pragma once

#include "port/linux/direct_port_access.h"
#include "port/linux/driver_modules.h"
#include "port/linux/kernel_modules.h"
#include "port/linux/parport_tree.h"
#include "port/linux/port_io.h"
#include "port/linux/ppdev_node.h"
#include "port/linux/ppdev_syscalls.h"
#include "port/port_platform.h"
#include "port/thread_last_error.h"

#include <array>
#include <filesystem>
#include <memory>

namespace voltarix::port {

// The parallel ports of a Linux machine: the device is the set of ppdev
// nodes, one per port code, the driver service is the parport kernel
// modules, and direct access is ioperm with port instructions.
//
// Reads and writes may come from several threads at once while the device is
// open (the sampler reads while the window writes); opening and closing the
// device must not overlap with them.
class LinuxPortPlatform final : public PortPlatform {
public:
    explicit LinuxPortPlatform(std::filesystem::path deviceDir = "/dev",
                               std::filesystem::path sysctlDir = "/proc/sys/dev/parport");
    // Every piece of the operating system replaceable, for tests.
    LinuxPortPlatform(linux_::ParportTree tree, std::unique_ptr<linux_::PpdevSyscalls> syscalls,
                      std::unique_ptr<linux_::KernelModules> modules,
                      std::unique_ptr<linux_::PortIo> io);
    ~LinuxPortPlatform() override;

    LinuxPortPlatform(const LinuxPortPlatform&) = delete;
    LinuxPortPlatform& operator=(const LinuxPortPlatform&) = delete;

    bool isProtectedPlatform() override;

    int lastError() const override { return lastError_.get(); }
    void setLastError(int code) override { lastError_.set(code); }

    // Opens and claims every node that a port code maps to, without waiting
    // for a port that another holder keeps. Succeeds when at least one is
    // claimed; otherwise the last node's error: ENOENT when the kernel shows
    // no node at all, EBUSY for a port held by another, EACCES for a node
    // the user may not open, ENXIO for a node without a port.
    bool openDevice() override;
    void closeDevice() override;

    // Records go in order; the first failure sets the last error and ends
    // the request (ENODEV for a port code without a node).
    void readRequest(std::span<AccessRecord> records) override;
    void writeRequest(std::span<const AccessRecord> records) override;

    bool startDriverService() override;
    void removeDriverService() override;

    std::uint8_t directIn(std::uint16_t address) override;
    void directOut(std::uint16_t address, std::uint8_t value) override;

private:
    linux_::PpdevNode* nodeOfSelector(std::uint8_t selector) const;
    // Runs access(node, register offset, record) on each record's node in
    // order; a record without a node or a failed access ends the request.
    template <typename Record, typename Access>
    void forEachRecord(std::span<Record> records, Access access);
    bool openNodes();

    linux_::ParportTree tree_;
    std::unique_ptr<linux_::PpdevSyscalls> syscalls_;
    linux_::DriverModules driverModules_;
    linux_::DirectPortAccess direct_;
    // Indexed by port code / 0x10 - 1.
    std::array<std::unique_ptr<linux_::PpdevNode>, 3> nodes_;
    ThreadLastError lastError_;
};

} // namespace voltarix::port
