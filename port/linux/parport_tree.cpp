#include "port/linux/parport_tree.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

namespace voltarix::port::linux_ {

namespace {

constexpr std::string_view NodePrefix = "parport";

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

} // namespace

ParportTree::ParportTree(std::filesystem::path deviceDir, std::filesystem::path sysctlDir)
    : deviceDir_(std::move(deviceDir)), sysctlDir_(std::move(sysctlDir)) {}

std::vector<ParportNodeInfo> ParportTree::nodes() const {
    std::vector<ParportNodeInfo> found;
    std::error_code error;
    std::filesystem::directory_iterator entries(deviceDir_, error);
    if (error)
        return found;
    // Stepping with an error code: a directory that changes under us must
    // not throw out of the port layer.
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        const std::optional<int> index = nodeIndex(entries->path().filename().native());
        if (index)
            found.push_back({*index, baseAddressOf(*index)});
    }
    std::sort(found.begin(), found.end(),
              [](const ParportNodeInfo& a, const ParportNodeInfo& b) { return a.index < b.index; });
    return found;
}

std::filesystem::path ParportTree::nodePath(int index) const {
    return deviceDir_ / (std::string(NodePrefix) + std::to_string(index));
}

std::optional<unsigned long> ParportTree::parseBaseAddress(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    unsigned long value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, base);
    // The number must end where the field ends, so "0x3z8" or "37a" is not
    // mistaken for a shorter address.
    if (error != std::errc{} || (stop != end && !isBlank(*stop)))
        return std::nullopt;
    return value;
}

std::optional<int> ParportTree::nodeIndex(std::string_view fileName) {
    if (!fileName.starts_with(NodePrefix))
        return std::nullopt;
    fileName.remove_prefix(NodePrefix.size());
    int index = 0;
    const char* end = fileName.data() + fileName.size();
    const auto [stop, error] = std::from_chars(fileName.data(), end, index);
    if (fileName.empty() || error != std::errc{} || stop != end || index < 0)
        return std::nullopt;
    return index;
}

bool ParportTree::isHeld(int index) const {
    const std::optional<std::string> active =
        settingOf(index, std::filesystem::path("devices") / "active");
    if (!active)
        return false;
    std::string_view name = *active;
    while (!name.empty() && isBlank(name.back()))
        name.remove_suffix(1);
    return !name.empty() && name != "none";
}

std::optional<unsigned long> ParportTree::baseAddressOf(int index) const {
    const std::optional<std::string> text = settingOf(index, "base-addr");
    if (!text)
        return std::nullopt;
    return parseBaseAddress(*text);
}

std::optional<std::string> ParportTree::settingOf(int index,
                                                  const std::filesystem::path& name) const {
    std::ifstream file(sysctlDir_ / (std::string(NodePrefix) + std::to_string(index)) / name);
    if (!file)
        return std::nullopt;
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

} // namespace voltarix::port::linux_
