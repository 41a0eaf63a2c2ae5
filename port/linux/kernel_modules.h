#pragma once

#include <string>

namespace voltarix::port::linux_ {

// The kernel's module database, as far as starting the port driver needs it.
class KernelModules {
public:
    virtual ~KernelModules() = default;

    // False when the module database cannot be opened.
    virtual bool isAvailable() = 0;
    // The module is known: built in, already in the kernel, or installed on disk.
    virtual bool isKnown(const std::string& name) = 0;
    // In the kernel now (built in or loaded).
    virtual bool isLoaded(const std::string& name) = 0;
    enum class LoadResult {
        // This call put the module into the kernel.
        Inserted,
        // Someone else (udev, another program) had put it there, perhaps
        // after isLoaded() said it was not: it is not ours to take out.
        AlreadyLoaded,
        Failed,
    };
    // Loads the module with whatever it depends on.
    virtual LoadResult load(const std::string& name) = 0;
    virtual bool unload(const std::string& name) = 0;
};

} // namespace voltarix::port::linux_
