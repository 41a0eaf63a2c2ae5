// The plain parts under the decoders' tab and rows: the setup's stacks, the rows the chart is
// given from the store, and the CSV fields.

#include "decode/annotation_store.h"
#include "decode/decoder_catalog.h"
#include "diagram17/decoding/decoded_rows.h"
#include "diagram17/decoding/decoded_values_csv.h"
#include "diagram17/decoding/decoder_setup.h"

#include <gtest/gtest.h>

#include <vector>

namespace voltarix::diagram17::decoding {
namespace {

const std::vector<decode::DecoderInfo>& catalogue() {
    const auto loaded = decode::DecoderCatalog::load(VOLTARIX_TEST_DECODERS);
    if (!loaded)
        throw std::runtime_error(loaded.error());
    return (*loaded)->decoders();
}

TEST(DecoderSetup, ChoicesBecomeStacksBottomFirstWithTheirChoices) {
    DecoderSetup setup(&catalogue());
    const int i2c = setup.add("i2c");
    const int uart = setup.add("uart");
    EXPECT_EQ(setup.choices()[0].pins, (std::map<std::string, int>{{"scl", 2}, {"sda", 3}}));
    // UART's lines are optional: none is given one.
    EXPECT_TRUE(setup.choices()[1].pins.empty());
    EXPECT_EQ(setup.lowerCandidates("eeprom24xx"), std::vector<int>{i2c});
    EXPECT_TRUE(setup.lowerCandidates("uart").empty());
    const int eeprom = setup.add("eeprom24xx", i2c);
    // A stack has one top: nothing more goes onto I2C.
    EXPECT_TRUE(setup.lowerCandidates("eeprom24xx").empty());
    setup.setOption(eeprom, "chip", "microchip_24aa02");
    setup.setPin(uart, "rx", 15);
    EXPECT_EQ(setup.caption(eeprom), "3. 24xx EEPROM на 1");

    const DecoderSetup::Stacks stacks = setup.stacks();
    ASSERT_EQ(stacks.stacks.size(), 2u);
    ASSERT_EQ(stacks.stacks[0].layers.size(), 2u);
    EXPECT_EQ(stacks.stacks[0].layers[0].decoderId, "i2c");
    EXPECT_EQ(stacks.stacks[0].layers[1].decoderId, "eeprom24xx");
    EXPECT_TRUE(stacks.stacks[0].layers[1].channels.empty());
    EXPECT_EQ(stacks.stacks[0].layers[1].options.at("chip"), "microchip_24aa02");
    EXPECT_EQ(stacks.stacks[1].layers[0].channels.at("rx"), 15);
    EXPECT_EQ(stacks.choiceOfLayer, (std::vector<std::vector<int>>{{0, 2}, {1}}));

    setup.setPin(uart, "rx", DecoderSetup::noPin);
    EXPECT_TRUE(setup.stacks().stacks[1].layers[0].channels.empty());
}

TEST(DecoderSetup, RemovingADecoderTakesWhatStandsOnItAndRenumbers) {
    DecoderSetup setup(&catalogue());
    setup.add("uart");
    const int i2c = setup.add("i2c");
    setup.add("eeprom24xx", i2c);
    setup.add("spi");
    setup.remove(i2c);
    ASSERT_EQ(setup.choices().size(), 2u);
    EXPECT_EQ(setup.choices()[0].decoderId, "uart");
    EXPECT_EQ(setup.choices()[1].decoderId, "spi");
    const int again = setup.add("i2c");
    setup.add("eeprom24xx", again);
    setup.remove(0);
    ASSERT_EQ(setup.choices().size(), 3u);
    EXPECT_EQ(setup.choices()[2].stackedOn, 1);
    EXPECT_EQ(setup.caption(2), "3. 24xx EEPROM на 2");
}

decode::Annotation at(std::size_t row, std::uint64_t first, std::uint64_t last,
                      std::vector<std::string> texts) {
    decode::Annotation a;
    a.firstCycle = first;
    a.lastCycle = last;
    a.storeRow = row;
    a.texts = std::move(texts);
    return a;
}

struct Spans {
    std::vector<chart::AnnotationSpan> got;
    chart::AnnotationRows::SpanVisitor visitor() {
        return [this](const chart::AnnotationSpan& s) { got.push_back(s); };
    }
};

TEST(DecodedRows, RowsShowOnceTheyHoldAnAnnotationNamedByDecoderAndRow) {
    decode::AnnotationStore store;
    store.setRows({{0, 0, "uart", "UART", 0, "rx-data", "RX"},
                   {0, 0, "uart", "UART", 1, "tx-data", "TX"},
                   {0, 0, "uart", "UART", 2, "rx-data-bits", "RX bits"}});
    DecodedRows rows(store);
    EXPECT_EQ(rows.rowCount(), 0);
    store.append(at(2, 5, 5, {"1"}));
    store.append(at(0, 4, 13, {"Data: 0x56", "V"}));
    EXPECT_TRUE(rows.takeIn(0, store.size()));
    ASSERT_EQ(rows.rowCount(), 2);
    EXPECT_EQ(rows.rowName(0), "UART: RX");
    EXPECT_EQ(rows.rowName(1), "UART: RX bits");
    store.append(at(0, 20, 29, {"O"}));
    EXPECT_FALSE(rows.takeIn(2, store.size()));

    // One cycle a pixel or more: every annotation of the range, covering its cycles.
    Spans page;
    rows.forEachSpan(0, 10, 25, 0.5, page.visitor());
    ASSERT_EQ(page.got.size(), 2u);
    EXPECT_DOUBLE_EQ(page.got[0].start, 4);
    EXPECT_DOUBLE_EQ(page.got[0].end, 14);
    EXPECT_EQ(page.got[0].texts, (QStringList{"Data: 0x56", "V"}));
    EXPECT_DOUBLE_EQ(page.got[1].start, 20);
    Spans before;
    rows.forEachSpan(0, 0, 4, 0.5, before.visitor());
    EXPECT_TRUE(before.got.empty());
    rows.reset();
    EXPECT_EQ(rows.rowCount(), 0);
}

// Many cycles a pixel: one look-up per pixel column, an annotation found once however many
// columns it covers.
TEST(DecodedRows, ACompressedPageCostsItsColumnsNotItsAnnotations) {
    decode::AnnotationStore store;
    store.setRows({{0, 0, "spi", "SPI", 0, "mosi-data", "MOSI data"}});
    for (std::uint64_t c = 0; c < 1'000'000; c += 10)
        store.append(at(0, c, c + 9, {"A5"}));
    store.append(at(0, 1'000'000, 1'499'999, {"long"}));
    DecodedRows rows(store);
    rows.takeIn(0, store.size());
    Spans page;
    rows.forEachSpan(0, 0, 1'500'000, 1'500'000.0 / 800, page.visitor());
    EXPECT_LE(page.got.size(), 800u);
    EXPECT_GE(page.got.size(), 500u);
    const auto longOnes = std::count_if(page.got.begin(), page.got.end(), [](const auto& s) {
        return s.texts == QStringList{"long"};
    });
    EXPECT_EQ(longOnes, 1);
}

TEST(DecodedValuesCsv, FieldsWithCommasQuotesOrBreaksAreQuoted) {
    EXPECT_EQ(DecodedValuesCsv::field("A5"), "A5");
    EXPECT_EQ(DecodedValuesCsv::field("Data write: 42"), "Data write: 42");
    EXPECT_EQ(DecodedValuesCsv::field("1,5"), "\"1,5\"");
    EXPECT_EQ(DecodedValuesCsv::field("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(DecodedValuesCsv::field("a\nb"), "\"a\nb\"");
}

} // namespace
} // namespace voltarix::diagram17::decoding
