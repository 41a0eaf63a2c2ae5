#pragma once

#include "port/linux/kernel_modules.h"

#include <memory>
#include <string>
#include <vector>

namespace voltarix::port::linux_ {

// The kernel modules that make up the port driver, and which of them this
// run put into the kernel, so that only those are taken out again.
class DriverModules {
public:
    // parport is named although parport_pc would pull it in anyway: a
    // dependency loaded on our behalf must come out again too.
    static std::vector<std::string> defaultNames() { return {"parport", "parport_pc", "ppdev"}; }

    explicit DriverModules(std::unique_ptr<KernelModules> modules,
                           std::vector<std::string> names = defaultNames());

    // Loads each module not yet in the kernel, in order. True when the module
    // database could be opened and knows every module, whatever the loading
    // gave; then nothing is loaded at all when a module is unknown.
    bool start();
    // Unloads, newest first, the modules start() loaded; leaves the others.
    void remove();

    const std::vector<std::string>& loadedByThisRun() const { return loaded_; }

private:
    std::unique_ptr<KernelModules> modules_;
    std::vector<std::string> names_;
    std::vector<std::string> loaded_;
};

} // namespace voltarix::port::linux_
