#include "port/linux/linux_port_platform.h"

#include "port/linux/libkmod_modules.h"
#include "port/linux/port_node_map.h"
#include "port/linux/system_port_io.h"
#include "port/linux/system_ppdev_syscalls.h"
#include "port/port_codes.h"

#include <cerrno>
#include <new>

namespace voltarix::port {

namespace {

constexpr std::array<std::uint8_t, 3> PortCodes = {PortCodeLpt1, PortCodeLpt2, PortCodeLpt3};

constexpr std::uint8_t RegisterOffsetMask = 0x07;

} // namespace

LinuxPortPlatform::LinuxPortPlatform(std::filesystem::path deviceDir,
                                     std::filesystem::path sysctlDir)
    : LinuxPortPlatform(linux_::ParportTree(std::move(deviceDir), std::move(sysctlDir)),
                        std::make_unique<linux_::SystemPpdevSyscalls>(),
                        std::make_unique<linux_::LibkmodModules>(),
                        std::make_unique<linux_::SystemPortIo>()) {}

LinuxPortPlatform::LinuxPortPlatform(linux_::ParportTree tree,
                                     std::unique_ptr<linux_::PpdevSyscalls> syscalls,
                                     std::unique_ptr<linux_::KernelModules> modules,
                                     std::unique_ptr<linux_::PortIo> io)
    : tree_(std::move(tree)), syscalls_(std::move(syscalls)), driverModules_(std::move(modules)),
      direct_(std::move(io)) {}

LinuxPortPlatform::~LinuxPortPlatform() {
    closeDevice();
}

bool LinuxPortPlatform::isProtectedPlatform() {
    return direct_.instructionsRefused();
}

bool LinuxPortPlatform::openDevice() {
    closeDevice();
    // Nothing may escape the port layer, not even a failed allocation.
    try {
        return openNodes();
    } catch (const std::bad_alloc&) {
        closeDevice();
        lastError_.set(ENOMEM);
    } catch (...) {
        closeDevice();
        lastError_.set(EIO);
    }
    return false;
}

bool LinuxPortPlatform::openNodes() {
    const std::vector<linux_::ParportNodeInfo> found = tree_.nodes();
    if (found.empty()) {
        lastError_.set(ENOENT);
        return false;
    }
    const linux_::PortNodeMap map(found);
    int failure = ENOENT;
    bool anyOpen = false;
    for (std::size_t slot = 0; slot < PortCodes.size(); ++slot) {
        const std::optional<int> index = map.nodeOf(PortCodes[slot]);
        if (!index)
            continue;
        // Claiming a port that another holder keeps would sleep until it
        // lets go: a busy port is a failed open, decided without waiting.
        if (tree_.isHeld(*index)) {
            failure = EBUSY;
            continue;
        }
        auto node =
            std::make_unique<linux_::PpdevNode>(*syscalls_, tree_.nodePath(*index).string());
        if (const int error = node->open(); error != 0) {
            failure = error;
            continue;
        }
        nodes_[slot] = std::move(node);
        anyOpen = true;
    }
    if (!anyOpen)
        lastError_.set(failure);
    return anyOpen;
}

void LinuxPortPlatform::closeDevice() {
    for (std::unique_ptr<linux_::PpdevNode>& node : nodes_)
        node.reset();
}

template <typename Record, typename Access>
void LinuxPortPlatform::forEachRecord(std::span<Record> records, Access access) {
    for (Record& record : records) {
        linux_::PpdevNode* node = nodeOfSelector(record.selector);
        const int error =
            node ? access(*node, record.selector & RegisterOffsetMask, record) : ENODEV;
        if (error != 0) {
            // The first failure ends the request, as one failed driver call would.
            lastError_.set(error);
            return;
        }
    }
}

void LinuxPortPlatform::readRequest(std::span<AccessRecord> records) {
    forEachRecord(records, [](linux_::PpdevNode& node, std::uint8_t offset, AccessRecord& record) {
        return node.read(offset, record.value);
    });
}

void LinuxPortPlatform::writeRequest(std::span<const AccessRecord> records) {
    forEachRecord(records,
                  [](linux_::PpdevNode& node, std::uint8_t offset, const AccessRecord& record) {
                      return node.write(offset, record.value);
                  });
}

bool LinuxPortPlatform::startDriverService() {
    try {
        return driverModules_.start();
    } catch (...) {
        // Only a failed allocation can get here; report no service, as when
        // the module database could not be opened.
        return false;
    }
}

void LinuxPortPlatform::removeDriverService() {
    driverModules_.remove();
}

std::uint8_t LinuxPortPlatform::directIn(std::uint16_t address) {
    return direct_.in(address);
}

void LinuxPortPlatform::directOut(std::uint16_t address, std::uint8_t value) {
    direct_.out(address, value);
}

linux_::PpdevNode* LinuxPortPlatform::nodeOfSelector(std::uint8_t selector) const {
    const std::size_t slot = (selector >> 4) - 1u;
    return slot < nodes_.size() ? nodes_[slot].get() : nullptr;
}

} // namespace voltarix::port
