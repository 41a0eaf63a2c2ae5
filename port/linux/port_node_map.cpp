#include "port/linux/port_node_map.h"

#include "port/port_codes.h"

#include <algorithm>
#include <vector>

namespace voltarix::port::linux_ {

namespace {

constexpr std::array<unsigned long, 3> StandardBases = {0x3BC, 0x378, 0x278};

} // namespace

PortNodeMap::PortNodeMap(std::span<const ParportNodeInfo> nodes) {
    std::vector<ParportNodeInfo> ordered(nodes.begin(), nodes.end());
    std::stable_sort(
        ordered.begin(), ordered.end(),
        [](const ParportNodeInfo& a, const ParportNodeInfo& b) { return a.index < b.index; });

    std::vector<int> leftOver;
    for (const ParportNodeInfo& node : ordered) {
        const std::optional<std::size_t> slot = slotOfAddress(node.baseAddress);
        if (slot && !nodes_[*slot])
            nodes_[*slot] = node.index;
        else
            leftOver.push_back(node.index);
    }

    auto next = leftOver.begin();
    for (std::optional<int>& slot : nodes_) {
        if (next == leftOver.end())
            break;
        if (!slot)
            slot = *next++;
    }
}

std::optional<int> PortNodeMap::nodeOf(std::uint8_t portCode) const {
    const std::optional<std::size_t> slot = slotOfCode(portCode);
    if (!slot)
        return std::nullopt;
    return nodes_[*slot];
}

std::optional<std::size_t> PortNodeMap::slotOfCode(std::uint8_t portCode) {
    switch (portCode) {
    case PortCodeLpt1:
        return 0;
    case PortCodeLpt2:
        return 1;
    case PortCodeLpt3:
        return 2;
    default:
        return std::nullopt;
    }
}

std::optional<std::size_t> PortNodeMap::slotOfAddress(std::optional<unsigned long> baseAddress) {
    if (!baseAddress)
        return std::nullopt;
    const auto found = std::find(StandardBases.begin(), StandardBases.end(), *baseAddress);
    if (found == StandardBases.end())
        return std::nullopt;
    return static_cast<std::size_t>(found - StandardBases.begin());
}

} // namespace voltarix::port::linux_
