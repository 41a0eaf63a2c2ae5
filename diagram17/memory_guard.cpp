#include "diagram17/memory_guard.h"

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace voltarix::diagram17 {

namespace {

#ifdef _WIN32
std::optional<std::uint64_t> availableMemory() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof(status);
    if (!GlobalMemoryStatusEx(&status))
        return std::nullopt;
    return std::min<std::uint64_t>(status.ullAvailPhys, status.ullAvailVirtual);
}
#else
std::optional<std::uint64_t> memAvailable() {
    std::ifstream meminfo("/proc/meminfo");
    std::string key;
    std::uint64_t kib = 0;
    std::string unit;
    while (meminfo >> key >> kib >> unit) {
        if (key == "MemAvailable:")
            return kib * 1024;
    }
    return std::nullopt;
}

std::optional<std::uint64_t> readNumber(const std::string& path) {
    std::ifstream file(path);
    std::uint64_t value = 0;
    if (file >> value)
        return value;
    return std::nullopt; // missing, or "max"
}

// The room left under a memory limit of the program's own control group
// (version 2), as containers and session slices set one.
std::optional<std::uint64_t> cgroupRoom() {
    std::ifstream self("/proc/self/cgroup");
    std::string line;
    while (std::getline(self, line)) {
        if (line.rfind("0::", 0) != 0)
            continue;
        const std::string dir = "/sys/fs/cgroup" + line.substr(3);
        const auto limit = readNumber(dir + "/memory.max");
        const auto used = readNumber(dir + "/memory.current");
        if (!limit || !used)
            return std::nullopt;
        return *limit > *used ? *limit - *used : 0;
    }
    return std::nullopt;
}

std::optional<std::uint64_t> availableMemory() {
    const auto system = memAvailable();
    const auto group = cgroupRoom();
    if (system && group)
        return std::min(*system, *group);
    return system ? system : group;
}
#endif

} // namespace

MemoryGuard::MemoryGuard(Probe probe, std::uint64_t margin)
    : probe_(std::move(probe)), margin_(margin) {}

bool MemoryGuard::runsShort() const {
    const auto available = probe_ ? probe_() : std::nullopt;
    return available && *available < margin_;
}

MemoryGuard::Probe MemoryGuard::systemProbe() {
    return [] { return availableMemory(); };
}

} // namespace voltarix::diagram17
