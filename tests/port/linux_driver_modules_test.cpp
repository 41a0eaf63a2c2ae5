#include "port/linux/driver_modules.h"
#include "port/linux/libkmod_modules.h"

#include "linux_fake_kernel_modules.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace voltarix::port::linux_ {
namespace {

using testing::FakeKernelModules;
using testing::ModuleDatabase;
using Names = std::vector<std::string>;

class DriverModulesTest : public ::testing::Test {
protected:
    DriverModulesTest() { db.known = {"parport", "parport_pc", "ppdev", "lp"}; }

    DriverModules makeModules() { return DriverModules(std::make_unique<FakeKernelModules>(db)); }

    ModuleDatabase db;
};

TEST_F(DriverModulesTest, AlreadyLoadedModulesAreNeitherLoadedNorUnloaded) {
    db.live = {"parport", "parport_pc", "ppdev", "lp"};
    DriverModules modules = makeModules();

    EXPECT_TRUE(modules.start());
    modules.remove();

    EXPECT_TRUE(db.loads.empty());
    EXPECT_TRUE(db.unloads.empty());
    EXPECT_EQ(db.live.size(), 4u);
}

TEST_F(DriverModulesTest, ModulesThisRunLoadedComeOutInReverseOrder) {
    DriverModules modules = makeModules();

    EXPECT_TRUE(modules.start());
    EXPECT_EQ(db.loads, (Names{"parport", "parport_pc", "ppdev"}));
    modules.remove();

    EXPECT_EQ(db.unloads, (Names{"ppdev", "parport_pc", "parport"}));
    EXPECT_TRUE(db.live.empty());
}

TEST_F(DriverModulesTest, OnlyTheModulesThisRunLoadedAreUnloaded) {
    // Another user of parport (a printer) keeps parport and lp loaded.
    db.live = {"parport", "lp"};
    DriverModules modules = makeModules();

    EXPECT_TRUE(modules.start());
    EXPECT_EQ(modules.loadedByThisRun(), (Names{"parport_pc", "ppdev"}));
    modules.remove();

    EXPECT_EQ(db.unloads, (Names{"ppdev", "parport_pc"}));
    EXPECT_EQ(db.live, (std::set<std::string>{"parport", "lp"}));
}

TEST_F(DriverModulesTest, AFailedLoadStillCountsAsStartedButIsNotUnloaded) {
    db.refuseToLoad = {"parport_pc"};
    DriverModules modules = makeModules();

    EXPECT_TRUE(modules.start());
    EXPECT_EQ(db.loads, (Names{"parport", "parport_pc", "ppdev"}));
    modules.remove();

    EXPECT_EQ(db.unloads, (Names{"ppdev", "parport"}));
}

TEST_F(DriverModulesTest, AModuleUdevLoadedMeanwhileIsNotOursToUnload) {
    db.loadedMeanwhile = {"parport_pc"};
    DriverModules modules = makeModules();

    EXPECT_TRUE(modules.start());
    EXPECT_EQ(modules.loadedByThisRun(), (Names{"parport", "ppdev"}));
    modules.remove();

    EXPECT_EQ(db.unloads, (Names{"ppdev", "parport"}));
    EXPECT_EQ(db.live, (std::set<std::string>{"parport", "parport_pc"}))
        << "parport stays while udev's parport_pc needs it";
}

TEST_F(DriverModulesTest, RemoveTwiceUnloadsOnce) {
    DriverModules modules = makeModules();
    modules.start();
    modules.remove();
    modules.remove();
    EXPECT_EQ(db.unloads.size(), 3u);
}

TEST_F(DriverModulesTest, NoDatabaseOrUnknownModuleMeansNoServiceAndNothingLoaded) {
    db.available = false;
    EXPECT_FALSE(makeModules().start());

    db.available = true;
    db.known = {"parport", "parport_pc"}; // no ppdev on this kernel
    DriverModules modules = makeModules();
    EXPECT_FALSE(modules.start());
    modules.remove();

    EXPECT_TRUE(db.loads.empty());
    EXPECT_TRUE(db.unloads.empty());
}

// The real database, on a name no kernel ships: whatever the machine, the
// module is unknown and nothing is loaded.
TEST(LibkmodModules, NameNoKernelShipsIsUnknownAndCannotBeLoaded) {
    LibkmodModules modules;
    const std::string name = "voltarix_no_such_module_7f3a";
    EXPECT_FALSE(modules.isKnown(name));
    EXPECT_FALSE(modules.isLoaded(name));
    EXPECT_EQ(modules.load(name), KernelModules::LoadResult::Failed);
    EXPECT_FALSE(modules.unload(name));
}

} // namespace
} // namespace voltarix::port::linux_
