#pragma once

#include "port/linux/kernel_modules.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace voltarix::port::linux_::testing {

// What the stand-in module database holds and what was done to it; owned by
// the test, so it can be looked at after the provider has taken the fake.
struct ModuleDatabase {
    bool available = true;
    std::set<std::string> known;
    std::set<std::string> live;
    std::set<std::string> refuseToLoad;
    // Loaded by udev right after the program looked: the first isLoaded()
    // still says no, the load then finds it in the kernel.
    std::set<std::string> loadedMeanwhile;
    // What each module needs in the kernel, as modules.dep says: a load puts
    // them in first, and a module cannot come out while another needs it.
    std::map<std::string, std::set<std::string>> dependencies = {
        {"parport_pc", {"parport"}}, {"ppdev", {"parport"}}, {"lp", {"parport"}}};
    std::vector<std::string> loads;
    std::vector<std::string> unloads;
};

class FakeKernelModules final : public KernelModules {
public:
    explicit FakeKernelModules(ModuleDatabase& db) : db_(db) {}

    bool isAvailable() override { return db_.available; }
    bool isKnown(const std::string& name) override { return db_.known.count(name) != 0; }
    bool isLoaded(const std::string& name) override {
        const bool live = db_.live.count(name) != 0;
        if (db_.loadedMeanwhile.erase(name) != 0)
            db_.live.insert(name);
        return live;
    }
    // As libkmod's probe with KMOD_PROBE_FAIL_ON_LOADED answers: what the
    // module needs goes in first, unasked.
    LoadResult load(const std::string& name) override {
        db_.loads.push_back(name);
        if (db_.live.count(name) != 0)
            return LoadResult::AlreadyLoaded;
        for (const std::string& needed : db_.dependencies[name]) {
            if (db_.live.count(needed) != 0)
                continue;
            if (db_.refuseToLoad.count(needed) != 0)
                return LoadResult::Failed;
            db_.live.insert(needed);
        }
        if (db_.refuseToLoad.count(name) != 0)
            return LoadResult::Failed;
        db_.live.insert(name);
        return LoadResult::Inserted;
    }
    // As the kernel's delete_module: a module in use stays.
    bool unload(const std::string& name) override {
        db_.unloads.push_back(name);
        for (const auto& [module, needs] : db_.dependencies) {
            if (db_.live.count(module) != 0 && needs.count(name) != 0)
                return false;
        }
        return db_.live.erase(name) != 0;
    }

private:
    ModuleDatabase& db_;
};

} // namespace voltarix::port::linux_::testing
