// sigrok-cli's decoder syntax, both ways, and what it refuses.

#include "decode/stack_text.h"
#include "decode_catalog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace voltarix::decode {
namespace {

using ::testing::HasSubstr;

Result<StackSetup> parsed(std::string_view text) {
    return parseStackText(testing::catalog(), text);
}

TEST(StackText, ReadsChannelsAsPinsAndTheRestAsOptions) {
    const Result<StackSetup> stack = parsed("uart:rx=15:baudrate=9600:format=ascii");
    ASSERT_TRUE(stack) << stack.error();
    ASSERT_EQ(stack->layers.size(), 1u);
    const LayerSetup& uart = stack->layers[0];
    EXPECT_EQ(uart.decoderId, "uart");
    EXPECT_EQ(uart.channels, (std::map<std::string, int>{{"rx", 15}}));
    EXPECT_EQ(uart.options,
              (std::map<std::string, std::string>{{"baudrate", "9600"}, {"format", "ascii"}}));
}

TEST(StackText, TakesWireNamesAndStacks) {
    const Result<StackSetup> stack = parsed("i2c:scl=Pin1:sda=pin14 , eeprom24xx:chip=generic");
    ASSERT_TRUE(stack) << stack.error();
    ASSERT_EQ(stack->layers.size(), 2u);
    EXPECT_EQ(stack->layers[0].channels, (std::map<std::string, int>{{"scl", 1}, {"sda", 14}}));
    EXPECT_EQ(stack->layers[1].decoderId, "eeprom24xx");
    EXPECT_EQ(stack->layers[1].options.at("chip"), "generic");

    EXPECT_EQ(stackText(*stack), "i2c:scl=1:sda=14,eeprom24xx:chip=generic");
    EXPECT_EQ(stackText(*stack, PinSpelling::WireName),
              "i2c:scl=Pin1:sda=Pin14,eeprom24xx:chip=generic");
    EXPECT_EQ(parsed(stackText(*stack, PinSpelling::WireName)).value(), *stack);
    EXPECT_EQ(pinWireName(15), "Pin15");
}

TEST(StackText, SaysWhatIsWrong) {
    const std::pair<const char*, const char*> cases[] = {
        {"", "Не задан декодер."},
        {"nosuch:rx=1", "Декодер «nosuch» не найден среди установленных."},
        {"uart:rx=18", "Декодер uart: «18» для канала rx не вывод 1–17"},
        {"uart:rx=Pin0", "«Pin0» для канала rx не вывод 1–17"},
        {"uart:rx=abc", "«abc» для канала rx не вывод 1–17"},
        {"uart:rx", "Декодер uart: в «rx» нет знака «=»."},
        {"uart:speed=9600", "Декодер uart: нет канала или параметра «speed»."},
        {"uart:rx=1:rx=2", "Декодер uart: «rx» задан дважды."},
        {"i2c:scl=1:sda=2,,eeprom24xx", "Не задан декодер в «»."},
    };
    for (const auto& [text, message] : cases) {
        const Result<StackSetup> stack = parsed(text);
        EXPECT_FALSE(stack) << text;
        EXPECT_THAT(stack.error(), HasSubstr(message)) << text;
    }
    // An option value is kept as typed; checking it is the check's business.
    EXPECT_TRUE(parsed("uart:rx=15:baudrate=abc"));
}

} // namespace
} // namespace voltarix::decode
