// A stack's settings checked before it runs: our own checks first, then the library's.

#include "decode/stack_check.h"
#include "decode/stack_text.h"
#include "decode_catalog.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace voltarix::decode {
namespace {

using ::testing::HasSubstr;

Result<> checked(const StackSetup& stack) {
    return checkStack(testing::catalog(), stack);
}

Result<> checkedText(std::string_view text) {
    const Result<StackSetup> stack = parseStackText(testing::catalog(), text);
    EXPECT_TRUE(stack) << stack.error();
    return checked(stack.value());
}

TEST(StackCheck, PassesWorkingStacks) {
    for (const char* text : {"uart:rx=15:baudrate=1200:format=ascii:stop_bits=1.5",
                             "uart:tx=2:parity=even:data_bits=7", "spi:clk=2:mosi=3:cs=4:cpol=1",
                             "i2c:scl=1:sda=14,eeprom24xx"}) {
        const Result<> result = checkedText(text);
        EXPECT_TRUE(result) << text << ": " << result.error();
    }
    // A decimal comma, as typed in a Russian window.
    EXPECT_TRUE(checked({{LayerSetup{"uart", {{"rx", 15}}, {{"stop_bits", "1,5"}}}}}));
}

TEST(StackCheck, TurnsOptionTextsIntoTheirTypes) {
    const std::pair<const char*, const char*> cases[] = {
        {"uart:rx=15:baudrate=abc",
         "Декодер uart: значение «abc» параметра baudrate не является целым числом."},
        {"uart:rx=15:baudrate=9600.5",
         "Декодер uart: значение «9600.5» параметра baudrate не является целым числом."},
        {"uart:rx=15:stop_bits=one", "значение «one» параметра stop_bits не является числом."},
        {"uart:rx=15:stop_bits=2",
         "значение «2» параметра stop_bits недопустимо; допустимы: 0, 0.5, 1, 1.5."},
        {"uart:rx=15:parity=sometimes", "значение «sometimes» параметра parity недопустимо"},
        {"uart:rx=15:data_bits=10", "значение «10» параметра data_bits недопустимо"},
    };
    for (const auto& [text, message] : cases) {
        const Result<> result = checkedText(text);
        EXPECT_FALSE(result) << text;
        EXPECT_THAT(result.error(), HasSubstr(message)) << text;
    }
}

TEST(StackCheck, ChecksChannelsAndStacking) {
    LayerSetup uart{"uart", {}, {}};
    EXPECT_EQ(checked({{uart}}).error(), "Декодер uart: не назначен ни один канал.");
    LayerSetup i2c{"i2c", {{"scl", 1}}, {}};
    EXPECT_EQ(checked({{i2c}}).error(), "Декодер i2c: каналу sda (SDA) не назначен вывод.");
    i2c.channels["sda"] = 1;
    EXPECT_EQ(checked({{i2c}}).error(), "Декодер i2c: вывод 1 назначен двум каналам: scl и sda.");
    i2c.channels["sda"] = 0;
    EXPECT_EQ(checked({{i2c}}).error(), "Декодер i2c: вывод 0 канала sda вне диапазона 1–17.");
    i2c.channels["sda"] = 2;
    EXPECT_TRUE(checked({{i2c}}));

    LayerSetup eeprom{"eeprom24xx", {}, {}};
    EXPECT_THAT(
        checked({{eeprom}}).error(),
        HasSubstr("Декодер eeprom24xx не читает линии: его ставят на декодер, выдающий i2c"));
    uart.channels["rx"] = 15;
    EXPECT_EQ(checked({{uart, eeprom}}).error(),
              "Декодер eeprom24xx не ставится на декодер uart: он читает i2c, а uart выдаёт uart.");
    EXPECT_EQ(checked({}).error(), "Не выбран ни один декодер.");
    EXPECT_THAT(checked({{LayerSetup{"nosuch", {}, {}}}}).error(),
                HasSubstr("Декодер «nosuch» не найден"));
}

TEST(StackCheck, ReportsWhatTheLibraryOrTheDecoderRejects) {
    // The decoder divides by the baud rate when it learns the sample rate.
    const Result<> zero = checkedText("uart:rx=15:baudrate=0");
    ASSERT_FALSE(zero);
    EXPECT_THAT(zero.error(), HasSubstr("Декодер uart не принял настройку: "));
    EXPECT_THAT(zero.error(), HasSubstr("ZeroDivisionError"));
    // After a refusal the library still works.
    EXPECT_TRUE(checkedText("uart:rx=15:baudrate=1200"));
}

} // namespace
} // namespace voltarix::decode
