#pragma once

#include "port/linux/kernel_modules.h"

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
    std::vector<std::string> loads;
    std::vector<std::string> unloads;
};

class FakeKernelModules final : public KernelModules {
public:
    explicit FakeKernelModules(ModuleDatabase& db) : db_(db) {}

    bool isAvailable() override { return db_.available; }
    bool isKnown(const std::string& name) override { return db_.known.count(name) != 0; }
    bool isLoaded(const std::string& name) override { return db_.live.count(name) != 0; }
    bool load(const std::string& name) override {
        db_.loads.push_back(name);
        if (db_.refuseToLoad.count(name) != 0)
            return false;
        db_.live.insert(name);
        return true;
    }
    bool unload(const std::string& name) override {
        db_.unloads.push_back(name);
        return db_.live.erase(name) != 0;
    }

private:
    ModuleDatabase& db_;
};

} // namespace voltarix::port::linux_::testing
