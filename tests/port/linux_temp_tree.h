#pragma once

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <stdlib.h>
#include <string>

namespace voltarix::port::linux_::testing {

// A scratch directory standing in for /dev and /proc/sys/dev/parport,
// removed with everything in it when the test ends.
class TempTree {
public:
    TempTree() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "voltarix-parport-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        root_ = pattern;
        std::filesystem::create_directories(deviceDir());
        std::filesystem::create_directories(sysctlDir());
    }
    ~TempTree() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    std::filesystem::path deviceDir() const { return root_ / "dev"; }
    std::filesystem::path sysctlDir() const { return root_ / "sysctl"; }

    // A node file; a plain file, since only its name and openness matter here.
    void addNode(int index) const {
        std::ofstream(deviceDir() / ("parport" + std::to_string(index))) << "";
    }
    void setBaseAddr(int index, const std::string& text) const {
        const std::filesystem::path dir = sysctlDir() / ("parport" + std::to_string(index));
        std::filesystem::create_directories(dir);
        std::ofstream(dir / "base-addr") << text;
    }
    // The device the kernel names as the port's current holder ("none" when free).
    void setActiveDevice(int index, const std::string& name) const {
        const std::filesystem::path dir =
            sysctlDir() / ("parport" + std::to_string(index)) / "devices";
        std::filesystem::create_directories(dir);
        std::ofstream(dir / "active") << name << "\n";
    }
    // A node whose port the kernel reports at base, in its own decimal format.
    void addPort(int index, unsigned long base) const {
        addNode(index);
        setBaseAddr(index, std::to_string(base) + "\t" + std::to_string(base + 0x400) + "\n");
    }

private:
    std::filesystem::path root_;
};

} // namespace voltarix::port::linux_::testing
