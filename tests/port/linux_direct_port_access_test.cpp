#include "port/linux/direct_port_access.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <map>
#include <memory>
#include <set>
#include <tuple>
#include <vector>

namespace voltarix::port::linux_ {
namespace {

// A processor whose kernel grants port permissions by a rule the test sets,
// and whose ports hold what was last written to them.
struct FakeIo {
    int refusal = 0;                          // errno for every request, 0 = grant
    std::set<std::uint16_t> refusedAddresses; // refused even when others are granted
    std::vector<std::tuple<std::uint16_t, std::uint16_t, bool>> permits;
    std::set<std::uint16_t> permitted;
    std::map<std::uint16_t, std::uint8_t> ports;
    int instructionsWithoutPermission = 0;
};

class FakePortIo final : public PortIo {
public:
    explicit FakePortIo(FakeIo& io) : io_(io) {}

    int permit(std::uint16_t first, std::uint16_t count, bool on) override {
        io_.permits.emplace_back(first, count, on);
        if (on && io_.refusal != 0)
            return io_.refusal;
        for (std::uint16_t a = first; a < first + count; ++a) {
            if (on && io_.refusedAddresses.count(a) != 0)
                return EPERM;
        }
        for (std::uint16_t a = first; a < first + count; ++a) {
            if (on)
                io_.permitted.insert(a);
            else
                io_.permitted.erase(a);
        }
        return 0;
    }
    std::uint8_t in(std::uint16_t address) override {
        check(address);
        return io_.ports.count(address) != 0 ? io_.ports[address] : 0x00;
    }
    void out(std::uint16_t address, std::uint8_t value) override {
        check(address);
        io_.ports[address] = value;
    }

private:
    void check(std::uint16_t address) {
        if (io_.permitted.count(address) == 0)
            ++io_.instructionsWithoutPermission;
    }
    FakeIo& io_;
};

TEST(DirectPortAccess, RefusedPermissionMeansProtectedPlatform) {
    FakeIo io;
    io.refusal = ENOSYS; // what a kernel without ioperm support answers
    DirectPortAccess access(std::make_unique<FakePortIo>(io));
    EXPECT_TRUE(access.instructionsRefused());
}

TEST(DirectPortAccess, OneRefusedRangeIsEnough) {
    FakeIo io;
    io.refusedAddresses = {0x3BE};
    DirectPortAccess access(std::make_unique<FakePortIo>(io));
    EXPECT_TRUE(access.instructionsRefused());
    EXPECT_TRUE(io.permitted.empty());
}

TEST(DirectPortAccess, GrantedRangesAreProbedAndGivenBack) {
    FakeIo io;
    DirectPortAccess access(std::make_unique<FakePortIo>(io));

    EXPECT_FALSE(access.instructionsRefused());

    using Permit = std::tuple<std::uint16_t, std::uint16_t, bool>;
    const std::vector<Permit> expected = {{0x3BC, 3, true},  {0x3BC, 3, false}, {0x378, 3, true},
                                          {0x378, 3, false}, {0x278, 3, true},  {0x278, 3, false}};
    EXPECT_EQ(io.permits, expected);
    EXPECT_TRUE(io.permitted.empty());
}

TEST(DirectPortAccess, AsksOncePerAddressAndAgainAfterTheProbeDroppedIt) {
    FakeIo io;
    io.ports[0x379] = 0x7F;
    DirectPortAccess access(std::make_unique<FakePortIo>(io));

    access.out(0x378, 0x55);
    EXPECT_EQ(access.in(0x378), 0x55);
    EXPECT_EQ(access.in(0x379), 0x7F);
    EXPECT_EQ(io.permits.size(), 2u);

    access.instructionsRefused(); // gives the standard ranges back
    io.permits.clear();
    EXPECT_EQ(access.in(0x378), 0x55);
    EXPECT_EQ(io.permits.size(), 1u);
    EXPECT_EQ(io.instructionsWithoutPermission, 0);
}

TEST(DirectPortAccess, RefusedAddressReadsAsFloatingBusAndIsNeverTouched) {
    FakeIo io;
    io.refusal = EPERM;
    DirectPortAccess access(std::make_unique<FakePortIo>(io));

    EXPECT_EQ(access.in(0x379), 0xFF);
    access.out(0x378, 0x12);
    EXPECT_EQ(access.in(0x379), 0xFF);
    // Beyond ioperm's reach the kernel is not even asked.
    EXPECT_EQ(access.in(0xE800), 0xFF);

    EXPECT_EQ(io.instructionsWithoutPermission, 0);
    EXPECT_EQ(io.permits.size(), 2u); // 0x379 and 0x378, each once
}

} // namespace
} // namespace voltarix::port::linux_
