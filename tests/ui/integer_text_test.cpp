#include "ui/integer_text.h"

#include <gtest/gtest.h>

using voltarix::ui::ConversionError;
using voltarix::ui::parseInteger;
using voltarix::ui::StrToInt;

TEST(IntegerText, AcceptsDecimalAndEveryHexadecimalPrefix) {
    const std::pair<const char*, int> accepted[] = {
        {"0", 0},
        {"255", 255},
        {"  42", 42},
        {"-1", -1},
        {"+7", 7},
        {"$1FF", 0x1FF},
        {"$ff", 0xFF},
        {"x10", 16},
        {"X10", 16},
        {"0x1f", 31},
        {"0X1F", 31},
        {"-$10", -16},
        {"007", 7},
        {"256", 256},
        {"$FFFFFFFF", -1},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
    };
    for (const auto& [text, value] : accepted) {
        const auto parsed = parseInteger(QString::fromLatin1(text));
        ASSERT_TRUE(parsed.has_value()) << text;
        EXPECT_EQ(*parsed, value) << text;
    }
}

TEST(IntegerText, RefusesEverythingElse) {
    for (const char* text : {"", " ", "$", "0x", "-", "1FF", "12 ", "1 2", "12!", "$1G", "+-1",
                             "2147483648", "$100000000", "1e3", "\t1"}) {
        EXPECT_FALSE(parseInteger(QString::fromLatin1(text)).has_value()) << '"' << text << '"';
    }
}

TEST(IntegerText, ErrorCarriesTheTextInTheStandardMessage) {
    try {
        StrToInt(QStringLiteral("1FF"));
        FAIL() << "no error raised";
    } catch (const ConversionError& error) {
        EXPECT_STREQ(error.what(), "'1FF' is not a valid integer value");
    }
    EXPECT_EQ(StrToInt(QStringLiteral("$1FF")), 0x1FF);
}
