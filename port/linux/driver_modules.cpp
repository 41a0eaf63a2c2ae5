#include "port/linux/driver_modules.h"

#include <algorithm>

namespace voltarix::port::linux_ {

DriverModules::DriverModules(std::unique_ptr<KernelModules> modules, std::vector<std::string> names)
    : modules_(std::move(modules)), names_(std::move(names)) {}

bool DriverModules::start() {
    if (!modules_ || !modules_->isAvailable())
        return false;
    const bool allKnown =
        std::all_of(names_.begin(), names_.end(),
                    [this](const std::string& name) { return modules_->isKnown(name); });
    if (!allKnown)
        return false;
    for (const std::string& name : names_) {
        if (modules_->isLoaded(name))
            continue;
        // Only a module this call inserted is ours to unload: one that failed
        // or that someone else loaded meanwhile stays. The next one may still
        // load, and the second device open decides in the end.
        if (modules_->load(name) == KernelModules::LoadResult::Inserted)
            loaded_.push_back(name);
    }
    return true;
}

void DriverModules::remove() {
    if (!modules_)
        return;
    for (auto name = loaded_.rbegin(); name != loaded_.rend(); ++name)
        modules_->unload(*name);
    loaded_.clear();
}

} // namespace voltarix::port::linux_
