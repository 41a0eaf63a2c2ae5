#include "guest_driver.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <libkmod.h>
#include <stdexcept>
#include <thread>

namespace voltarix::kerneltest {

namespace {

constexpr const char* PortNode = "/dev/parport0";

std::runtime_error failure(const std::string& what, int error) {
    return std::runtime_error(what + ": " + std::strerror(error));
}

// libkmod's module handle, released with the scope.
class ModuleHandle {
public:
    ModuleHandle(kmod_ctx* context, const std::string& name) {
        if (kmod_module_new_from_name(context, name.c_str(), &module_) < 0)
            throw std::runtime_error("libkmod does not know the module " + name);
    }
    ~ModuleHandle() { kmod_module_unref(module_); }
    ModuleHandle(const ModuleHandle&) = delete;
    ModuleHandle& operator=(const ModuleHandle&) = delete;
    kmod_module* get() const { return module_; }

private:
    kmod_module* module_ = nullptr;
};

} // namespace

GuestDriver::GuestDriver() : context_(kmod_new(nullptr, nullptr)) {
    if (context_ == nullptr)
        throw std::runtime_error("no module database for the running kernel");
}

GuestDriver::~GuestDriver() {
    kmod_unref(context_);
}

void GuestDriver::load() {
    unload();
    loadModule("parport_pc", "io=0x378 irq=none");
    loadModule("ppdev");
    if (!waitForNode(PortNode, true))
        throw std::runtime_error(std::string(PortNode) + " did not appear");
}

void GuestDriver::unload() {
    for (const char* name : {"ppdev", "parport_pc", "parport"}) {
        if (isLoaded(name))
            unloadModule(name);
    }
    if (!waitForNode(PortNode, false))
        throw std::runtime_error(std::string(PortNode) + " is still there");
}

void GuestDriver::loadModule(const std::string& name, const std::string& options) {
    const ModuleHandle module(context_, name);
    const int result = kmod_module_probe_insert_module(
        module.get(), 0, options.empty() ? nullptr : options.c_str(), nullptr, nullptr, nullptr);
    if (result < 0)
        throw failure("loading " + name, -result);
}

void GuestDriver::unloadModule(const std::string& name) {
    const ModuleHandle module(context_, name);
    const int result = kmod_module_remove_module(module.get(), 0);
    if (result < 0)
        throw failure("unloading " + name, -result);
}

bool GuestDriver::isLoaded(const std::string& name) {
    std::ifstream modules("/proc/modules");
    std::string line;
    while (std::getline(modules, line)) {
        if (line.compare(0, name.size() + 1, name + " ") == 0)
            return true;
    }
    return false;
}

std::string GuestDriver::portSetting(const std::string& name, int port) {
    std::ifstream file("/proc/sys/dev/parport/parport" + std::to_string(port) + "/" + name);
    std::string line;
    std::getline(file, line);
    return line;
}

bool GuestDriver::waitForNode(const std::string& path, bool present,
                              std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (std::filesystem::exists(path) != present) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

} // namespace voltarix::kerneltest
