#include "port/linux/direct_port_access.h"

#include <array>

namespace voltarix::port::linux_ {

namespace {

struct PortRange {
    std::uint16_t first;
    std::uint16_t count;
};

// Data, status and control of the three standard ports.
constexpr std::array<PortRange, 3> StandardRanges = {{{0x3BC, 3}, {0x378, 3}, {0x278, 3}}};

// Generations are unique in the process, so a thread never takes the answers
// it had for one access object as those of another.
std::atomic<std::uint64_t> nextGeneration{1};

} // namespace

DirectPortAccess::DirectPortAccess(std::unique_ptr<PortIo> io)
    : io_(std::move(io)), generation_(nextGeneration++) {}

bool DirectPortAccess::instructionsRefused() {
    bool refused = false;
    for (const PortRange& range : StandardRanges) {
        if (io_->permit(range.first, range.count, true) != 0) {
            refused = true;
            continue;
        }
        io_->permit(range.first, range.count, false);
    }
    // Dropping the ranges also took back any address granted earlier.
    generation_ = nextGeneration++;
    return refused;
}

std::uint8_t DirectPortAccess::in(std::uint16_t address) {
    return granted(address) ? io_->in(address) : 0xFF;
}

void DirectPortAccess::out(std::uint16_t address, std::uint8_t value) {
    if (granted(address))
        io_->out(address, value);
}

bool DirectPortAccess::granted(std::uint16_t address) {
    if (address >= PermittableAddresses)
        return false;
    Grant& grant = grantOf(address);
    if (grant == Grant::Unasked)
        grant = io_->permit(address, 1, true) == 0 ? Grant::Granted : Grant::Refused;
    return grant == Grant::Granted;
}

DirectPortAccess::Grant& DirectPortAccess::grantOf(std::uint16_t address) const {
    struct ThreadGrants {
        std::uint64_t generation = 0;
        std::array<Grant, PermittableAddresses> grants{};
    };
    thread_local ThreadGrants table;
    const std::uint64_t generation = generation_;
    if (table.generation != generation) {
        table.grants.fill(Grant::Unasked);
        table.generation = generation;
    }
    return table.grants[address];
}

} // namespace voltarix::port::linux_
