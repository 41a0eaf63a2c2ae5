// The catalog as the installed library declares its decoders, and its load errors.

#include "decode_catalog.h"
#include "recordings.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

namespace voltarix::decode {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

std::vector<std::string> idsOf(const std::vector<ChannelInfo>& channels) {
    std::vector<std::string> ids;
    for (const ChannelInfo& channel : channels)
        ids.push_back(channel.id);
    return ids;
}

TEST(DecoderCatalog, ListsEveryInstalledDecoderAndTheExtraOne) {
    const DecoderCatalog& catalog = testing::catalog();
    // Debian's package ships 112 decoders; the test directory adds one.
    EXPECT_GE(catalog.decoders().size(), 100u);
    EXPECT_TRUE(
        std::is_sorted(catalog.decoders().begin(), catalog.decoders().end(),
                       [](const DecoderInfo& a, const DecoderInfo& b) { return a.id < b.id; }));
    for (const char* id : {"uart", "spi", "i2c", "onewire_link", "parallel", "jtag", "eeprom24xx",
                           testing::FaultyDecoder::id})
        EXPECT_NE(catalog.find(id), nullptr)
            << id << (catalog.loadErrors().empty() ? "" : ": " + catalog.loadErrors().front());
    EXPECT_EQ(catalog.find("no-such-decoder"), nullptr);
    EXPECT_FALSE(catalog.libraryVersion().empty());
    EXPECT_NE(std::find(catalog.directories().begin(), catalog.directories().end(),
                        testing::testDecoderDirectory()),
              catalog.directories().end());
}

TEST(DecoderCatalog, DescribesUartChannelsOptionsAndRows) {
    const DecoderInfo& uart = *testing::catalog().find("uart");
    EXPECT_EQ(uart.name, "UART");
    EXPECT_EQ(uart.longName, "Universal Asynchronous Receiver/Transmitter");
    EXPECT_TRUE(uart.channels.empty());
    EXPECT_THAT(idsOf(uart.optionalChannels), ElementsAre("rx", "tx"));
    EXPECT_EQ(uart.optionalChannels[0].name, "RX");
    EXPECT_TRUE(uart.readsLines());

    const OptionInfo* baudrate = uart.findOption("baudrate");
    ASSERT_NE(baudrate, nullptr);
    EXPECT_EQ(baudrate->type, OptionType::Integer);
    EXPECT_EQ(baudrate->defaultValue, "115200");
    EXPECT_TRUE(baudrate->allowedValues.empty());
    const OptionInfo* parity = uart.findOption("parity");
    ASSERT_NE(parity, nullptr);
    EXPECT_EQ(parity->type, OptionType::Text);
    EXPECT_EQ(parity->defaultValue, "none");
    EXPECT_THAT(parity->allowedValues, ::testing::Contains("even"));
    const OptionInfo* stopBits = uart.findOption("stop_bits");
    ASSERT_NE(stopBits, nullptr);
    EXPECT_EQ(stopBits->type, OptionType::Float);
    EXPECT_EQ(stopBits->defaultValue, "1");
    EXPECT_THAT(stopBits->allowedValues, ElementsAre("0", "0.5", "1", "1.5"));

    ASSERT_GT(uart.annotationClasses.size(), 2u);
    EXPECT_EQ(uart.annotationClasses[0].id, "rx-data");
    EXPECT_EQ(uart.annotationClasses[0].description, "RX data");
    // Every class sits in exactly one row.
    for (std::size_t c = 0; c < uart.annotationClasses.size(); ++c) {
        int rows = 0;
        for (const AnnotationRowInfo& row : uart.annotationRows)
            rows += static_cast<int>(std::count(row.classes.begin(), row.classes.end(), c));
        EXPECT_EQ(rows, 1) << uart.annotationClasses[c].id;
    }
    EXPECT_EQ(uart.annotationRows[uart.rowOfClass(0)].id, "rx-data");
}

TEST(DecoderCatalog, TellsWhatStacksOnWhat) {
    const DecoderCatalog& catalog = testing::catalog();
    const DecoderInfo& i2c = *catalog.find("i2c");
    const DecoderInfo& eeprom = *catalog.find("eeprom24xx");
    EXPECT_THAT(idsOf(i2c.channels), ElementsAre("scl", "sda"));
    EXPECT_TRUE(eeprom.stacksOn(i2c));
    EXPECT_FALSE(eeprom.readsLines());
    EXPECT_FALSE(eeprom.stacksOn(*catalog.find("uart")));
    const auto onI2c = catalog.decodersOn(i2c);
    EXPECT_NE(std::find(onI2c.begin(), onI2c.end(), &eeprom), onI2c.end());
    const auto lines = catalog.lineDecoders();
    EXPECT_NE(std::find(lines.begin(), lines.end(), &i2c), lines.end());
    EXPECT_EQ(std::find(lines.begin(), lines.end(), &eeprom), lines.end());
}

TEST(DecoderCatalog, GivesADecoderWithoutRowsARowOfItsOwn) {
    // Decoders that declare no rows still show their classes somewhere.
    for (const DecoderInfo& decoder : testing::catalog().decoders()) {
        if (decoder.annotationClasses.empty())
            continue;
        EXPECT_FALSE(decoder.annotationRows.empty()) << decoder.id;
    }
}

TEST(DecoderCatalog, RefusesAMissingOrEmptyDirectoryWithAClearMessage) {
    testing::catalog();
    Result<const DecoderCatalog*> missing = DecoderCatalog::load("/nonexistent/voltarix-pd");
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error(), "Каталог декодеров «/nonexistent/voltarix-pd» не найден.");

    char pattern[] = "/tmp/voltarix-empty-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    Result<const DecoderCatalog*> empty = DecoderCatalog::load(pattern);
    std::filesystem::remove(pattern);
    ASSERT_FALSE(empty);
    EXPECT_THAT(empty.error(), HasSubstr("нет ни одного декодера"));

    // The loaded catalog stays what it was.
    Result<const DecoderCatalog*> again = DecoderCatalog::load();
    ASSERT_TRUE(again);
    EXPECT_EQ(again.value(), &testing::catalog());
    EXPECT_EQ(DecoderCatalog::loaded(), &testing::catalog());
}

} // namespace
} // namespace voltarix::decode
