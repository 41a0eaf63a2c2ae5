#include "port/linux/parport_tree.h"
#include "port/linux/port_node_map.h"
#include "port/port_codes.h"

#include "linux_temp_tree.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace voltarix::port::linux_ {
namespace {

using testing::TempTree;

std::vector<std::optional<int>> codesToNodes(const PortNodeMap& map) {
    return {map.nodeOf(PortCodeLpt1), map.nodeOf(PortCodeLpt2), map.nodeOf(PortCodeLpt3)};
}

TEST(PortNodeMap, StandardAddressesTakeTheirOwnCodesWhateverTheNodeOrder) {
    const std::vector<ParportNodeInfo> nodes = {{0, 0x378}, {1, 0x278}, {2, 0x3BC}};
    const std::vector<std::optional<int>> expected = {2, 0, 1};
    EXPECT_EQ(codesToNodes(PortNodeMap(nodes)), expected);
}

TEST(PortNodeMap, CardAtOtherAddressTakesFirstFreeCode) {
    // A PCIe card listed before the on-board port must not take 0x378's code.
    const std::vector<ParportNodeInfo> nodes = {{0, 0xE800}, {1, 0x378}};
    const PortNodeMap map(nodes);
    EXPECT_EQ(map.nodeOf(PortCodeLpt1), 0);
    EXPECT_EQ(map.nodeOf(PortCodeLpt2), 1);
    EXPECT_EQ(map.nodeOf(PortCodeLpt3), std::nullopt);
}

TEST(PortNodeMap, TwoCardsFillFreeCodesInNodeOrder) {
    const std::vector<ParportNodeInfo> nodes = {{3, 0xD000}, {1, 0xE800}, {2, 0x3BC}};
    const std::vector<std::optional<int>> expected = {2, 1, 3};
    EXPECT_EQ(codesToNodes(PortNodeMap(nodes)), expected);
}

TEST(PortNodeMap, UnreadableAddressIsTreatedLikeACard) {
    const std::vector<ParportNodeInfo> nodes = {{0, std::nullopt}, {1, 0x3BC}};
    const PortNodeMap map(nodes);
    EXPECT_EQ(map.nodeOf(PortCodeLpt1), 1);
    EXPECT_EQ(map.nodeOf(PortCodeLpt2), 0);
}

TEST(PortNodeMap, SurplusNodesAndForeignCodesGetNothing) {
    const std::vector<ParportNodeInfo> nodes = {
        {0, 0x378}, {1, 0x378}, {2, 0xE800}, {3, 0xD000}, {4, 0xC000}};
    const PortNodeMap map(nodes);
    // The duplicate of 0x378 is a card like any other; node 4 finds no code.
    const std::vector<std::optional<int>> expected = {1, 0, 2};
    EXPECT_EQ(codesToNodes(map), expected);
    EXPECT_EQ(map.nodeOf(0x00), std::nullopt);
    EXPECT_EQ(map.nodeOf(0x40), std::nullopt);
    EXPECT_EQ(map.nodeOf(0x21), std::nullopt);
}

TEST(ParportTree, ParsesTheKernelsBaseAddressField) {
    EXPECT_EQ(ParportTree::parseBaseAddress("888\t1912\n"), 0x378ul);
    EXPECT_EQ(ParportTree::parseBaseAddress("956"), 0x3BCul);
    EXPECT_EQ(ParportTree::parseBaseAddress("  0xe800 0xe400"), 0xE800ul);
    EXPECT_EQ(ParportTree::parseBaseAddress(""), std::nullopt);
    EXPECT_EQ(ParportTree::parseBaseAddress("\n"), std::nullopt);
    EXPECT_EQ(ParportTree::parseBaseAddress("37a\t0"), std::nullopt);
    EXPECT_EQ(ParportTree::parseBaseAddress("0x"), std::nullopt);
    EXPECT_EQ(ParportTree::parseBaseAddress("-888"), std::nullopt);
    EXPECT_EQ(ParportTree::parseBaseAddress("99999999999999999999999"), std::nullopt);
}

TEST(ParportTree, ListsOnlyParportNodesInIndexOrderWithTheirAddresses) {
    TempTree tree;
    tree.addPort(10, 0x278);
    tree.addPort(2, 0x378);
    tree.addNode(0); // no sysctl entry at all
    tree.addNode(1);
    tree.setBaseAddr(1, "garbage\n");
    std::ofstream(tree.deviceDir() / "parport") << "";
    std::ofstream(tree.deviceDir() / "parportx1") << "";
    std::ofstream(tree.deviceDir() / "ttyS0") << "";

    const std::vector<ParportNodeInfo> nodes =
        ParportTree(tree.deviceDir(), tree.sysctlDir()).nodes();

    ASSERT_EQ(nodes.size(), 4u);
    EXPECT_EQ(nodes[0].index, 0);
    EXPECT_EQ(nodes[0].baseAddress, std::nullopt);
    EXPECT_EQ(nodes[1].index, 1);
    EXPECT_EQ(nodes[1].baseAddress, std::nullopt);
    EXPECT_EQ(nodes[2].index, 2);
    EXPECT_EQ(nodes[2].baseAddress, 0x378ul);
    EXPECT_EQ(nodes[3].index, 10);
    EXPECT_EQ(nodes[3].baseAddress, 0x278ul);
}

TEST(ParportTree, MissingDeviceDirectoryListsNothing) {
    const ParportTree tree("/nonexistent/voltarix/dev", "/nonexistent/voltarix/sysctl");
    EXPECT_TRUE(tree.nodes().empty());
    EXPECT_EQ(tree.nodePath(3), "/nonexistent/voltarix/dev/parport3");
}

} // namespace
} // namespace voltarix::port::linux_
