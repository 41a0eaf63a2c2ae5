#pragma once

#include "port/linux/port_node_map.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace voltarix::port::linux_ {

// Where the kernel shows its parallel ports: the ppdev nodes under the device
// directory and each port's settings under the parport sysctl directory.
// Both directories can be moved, so that a test can lay out its own tree.
class ParportTree {
public:
    explicit ParportTree(std::filesystem::path deviceDir = "/dev",
                         std::filesystem::path sysctlDir = "/proc/sys/dev/parport");

    // Every parport<N> node in the device directory, in index order, with the
    // base address of its port where that could be read.
    std::vector<ParportNodeInfo> nodes() const;

    std::filesystem::path nodePath(int index) const;

    // Another driver or program holds the port now: the kernel names its
    // device in devices/active ("none" when the port is free). Unknown
    // (no such file) counts as free; the claim then decides.
    bool isHeld(int index) const;

    // The first number of a base-addr file. The kernel writes it in decimal;
    // a 0x-prefixed hexadecimal number is taken too.
    static std::optional<unsigned long> parseBaseAddress(std::string_view text);

private:
    static std::optional<int> nodeIndex(std::string_view fileName);
    std::optional<unsigned long> baseAddressOf(int index) const;
    std::optional<std::string> settingOf(int index, const std::filesystem::path& name) const;

    std::filesystem::path deviceDir_;
    std::filesystem::path sysctlDir_;
};

} // namespace voltarix::port::linux_
