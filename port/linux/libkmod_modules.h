#pragma once

#include "port/linux/kernel_modules.h"

struct kmod_ctx;
struct kmod_module;

namespace voltarix::port::linux_ {

// The module database of the running kernel, through libkmod.
class LibkmodModules final : public KernelModules {
public:
    LibkmodModules();
    ~LibkmodModules() override;

    LibkmodModules(const LibkmodModules&) = delete;
    LibkmodModules& operator=(const LibkmodModules&) = delete;

    bool isAvailable() override { return context_ != nullptr; }
    bool isKnown(const std::string& name) override;
    bool isLoaded(const std::string& name) override;
    LoadResult load(const std::string& name) override;
    bool unload(const std::string& name) override;

private:
    // A module handle that is given back however the caller leaves.
    class Module;

    kmod_ctx* context_ = nullptr;
};

} // namespace voltarix::port::linux_
