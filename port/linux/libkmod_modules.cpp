#include "port/linux/libkmod_modules.h"

#include <cerrno>
#include <cstdarg>
#include <libkmod.h>

namespace voltarix::port::linux_ {

class LibkmodModules::Module {
public:
    Module(kmod_ctx* context, const std::string& name) {
        if (context == nullptr || kmod_module_new_from_name(context, name.c_str(), &module_) < 0)
            module_ = nullptr;
    }
    ~Module() {
        if (module_ != nullptr)
            kmod_module_unref(module_);
    }
    Module(const Module&) = delete;
    Module& operator=(const Module&) = delete;

    kmod_module* get() const { return module_; }

    bool inKernel() const {
        if (module_ == nullptr)
            return false;
        const int state = kmod_module_get_initstate(module_);
        return state == KMOD_MODULE_BUILTIN || state == KMOD_MODULE_LIVE ||
               state == KMOD_MODULE_COMING;
    }

private:
    kmod_module* module_ = nullptr;
};

namespace {

// The port layer never speaks to the user; libkmod would print to stderr.
void discardLog(void*, int, const char*, int, const char*, const char*, va_list) {}

} // namespace

LibkmodModules::LibkmodModules() : context_(kmod_new(nullptr, nullptr)) {
    if (context_ != nullptr)
        kmod_set_log_fn(context_, discardLog, nullptr);
}

LibkmodModules::~LibkmodModules() {
    if (context_ != nullptr)
        kmod_unref(context_);
}

bool LibkmodModules::isKnown(const std::string& name) {
    const Module module(context_, name);
    if (module.get() == nullptr)
        return false;
    return module.inKernel() || kmod_module_get_path(module.get()) != nullptr;
}

bool LibkmodModules::isLoaded(const std::string& name) {
    return Module(context_, name).inKernel();
}

KernelModules::LoadResult LibkmodModules::load(const std::string& name) {
    const Module module(context_, name);
    if (module.get() == nullptr)
        return LoadResult::Failed;
    // Loaded by name, as "modprobe parport_pc" would: dependencies first, the
    // blacklist (which is about aliases) not applied. Without FAIL_ON_LOADED
    // a module that udev loaded since we looked would count as loaded here,
    // and we would take it out again at exit.
    const int result = kmod_module_probe_insert_module(module.get(), KMOD_PROBE_FAIL_ON_LOADED,
                                                       nullptr, nullptr, nullptr, nullptr);
    if (result == 0)
        return LoadResult::Inserted;
    return result == -EEXIST ? LoadResult::AlreadyLoaded : LoadResult::Failed;
}

bool LibkmodModules::unload(const std::string& name) {
    const Module module(context_, name);
    return module.get() != nullptr && kmod_module_remove_module(module.get(), 0) == 0;
}

} // namespace voltarix::port::linux_
