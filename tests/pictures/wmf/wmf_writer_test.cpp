#include "pictures/wmf/wmf_record_writer.h"
#include "pictures/wmf/wmf_text_encoding.h"
#include "wmf_file_reader.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace voltarix::pictures {
namespace {

using testkit::readWmf;
using testkit::WmfFileView;
using W = WmfRecordWriter;

WmfFileView fileOf(const WmfRecordWriter& writer, WmfRect frame = {0, 0, 640, 480},
                   std::uint16_t inch = 96) {
    return readWmf(writer.file(frame, inch));
}

TEST(WmfRecordWriter, PlaceableHeaderCarriesKeyFrameInchAndChecksum) {
    WmfRecordWriter writer;
    const WmfFileView file = fileOf(writer, {-5, 7, 439, 395}, 96);
    EXPECT_EQ(file.key, 0x9AC6CDD7u);
    EXPECT_EQ(file.left, -5);
    EXPECT_EQ(file.top, 7);
    EXPECT_EQ(file.right, 439);
    EXPECT_EQ(file.bottom, 395);
    EXPECT_EQ(file.inch, 96);
    EXPECT_EQ(file.checksum, file.computedChecksum);
    EXPECT_NE(file.checksum, 0);
}

TEST(WmfRecordWriter, HeaderCountsWordsLargestRecordAndObjectSlots) {
    WmfRecordWriter writer;
    const std::vector<WmfPoint> line{{0, 0}, {10, 10}, {20, 0}, {30, 10}};
    writer.polyline(line);
    writer.createPen(W::penSolid, 0, wmfColour(255, 0, 0));
    const WmfFileView file = fileOf(writer);
    EXPECT_TRUE(file.faults.empty()) << file.faults.front();
    EXPECT_EQ(file.type, 1);
    EXPECT_EQ(file.headerWords, 9);
    EXPECT_EQ(file.version, 0x0300);
    EXPECT_EQ(file.maxRecord, 3u + 1 + 2 * line.size()); // size, function, count, points
    EXPECT_EQ(file.maxRecord, file.largestRecord);
    EXPECT_EQ(file.objects, 1);
    ASSERT_EQ(file.records.size(), 3u);
    EXPECT_EQ(file.records.back().function, W::EndOfFile);
    EXPECT_EQ(file.records.back().words, 3u);
}

TEST(WmfRecordWriter, ObjectsTakeTheLowestFreeSlotAsThePlayerDoes) {
    WmfRecordWriter writer;
    EXPECT_EQ(writer.createPen(W::penSolid, 0, 0), 0);
    EXPECT_EQ(writer.createBrush(W::brushSolid, 0), 1);
    EXPECT_EQ(writer.createBrush(W::brushNull, 0), 2);
    writer.deleteObject(0);
    WmfLogFont font;
    font.faceName = "DejaVu Sans";
    EXPECT_EQ(writer.createFont(font), 0);
    writer.deleteObject(1);
    EXPECT_EQ(writer.createPen(W::penDot, 0, 0), 1);
    EXPECT_EQ(writer.objectSlots(), 3);
    const WmfFileView file = fileOf(writer);
    EXPECT_TRUE(file.faults.empty());
    EXPECT_EQ(file.objects, 3);
    EXPECT_EQ(file.slotsUsed, 3);
}

TEST(WmfRecordWriter, RefusesWhatThePlayerCouldNotRead) {
    WmfRecordWriter writer;
    EXPECT_THROW(writer.deleteObject(0), std::invalid_argument);
    EXPECT_THROW(writer.polyline({}), std::length_error);
    const std::vector<WmfPoint> tooMany(W::maxPoints + 1);
    EXPECT_THROW(writer.polygon(tooMany), std::length_error);
    const std::int16_t advances[] = {5, 5};
    EXPECT_THROW(writer.extTextOut({0, 0}, "abc", advances), std::invalid_argument);
}

TEST(WmfRecordWriter, RecordsStoreTheirFieldsInTheFormatsOrder) {
    WmfRecordWriter writer;
    writer.setWindowOrg({3, 4});
    writer.setWindowExt(439, 395);
    writer.rectangle({1, 2, 30, 40});
    WmfLogFont font;
    font.height = -12;
    font.weight = 700;
    font.charSet = russianCharSet;
    font.faceName = "A face name longer than thirty-one bytes";
    writer.createFont(font);
    const std::int16_t advances[] = {7, 7, 8};
    writer.extTextOut({10, 20}, "abc", advances);
    const WmfFileView file = fileOf(writer);
    ASSERT_TRUE(file.faults.empty());
    const auto& r = file.records;
    EXPECT_EQ(r[0].function, W::SetWindowOrg);
    EXPECT_EQ(r[0].param(0), 4); // y first
    EXPECT_EQ(r[0].param(1), 3);
    EXPECT_EQ(r[1].param(0), 395);
    EXPECT_EQ(r[1].param(1), 439);
    EXPECT_EQ(r[2].param(0), 40); // bottom, right, top, left
    EXPECT_EQ(r[2].param(3), 1);
    EXPECT_EQ(r[3].words, 3u + 9 + 16); // LOGFONT with a 32-byte face
    EXPECT_EQ(r[3].param(0), -12);
    EXPECT_EQ(r[3].param(4), 700);
    EXPECT_EQ(r[3].params[6] >> 8, russianCharSet);
    EXPECT_EQ(testkit::fontFaceName(r[3]), std::string(font.faceName, 0, 31));
    EXPECT_EQ(r[4].words, 3u + 4 + 2 + 3); // y, x, length, options, padded text, advances
    EXPECT_EQ(r[4].param(0), 20);
    EXPECT_EQ(r[4].param(1), 10);
    EXPECT_EQ(testkit::extTextOutString(r[4]), "abc");
    EXPECT_EQ(r[4].param(8), 8);
}

TEST(WmfTextEncoding, LatinStaysAnsiAndCyrillicGoesOutAsCodePage1251) {
    const WmfText latin = toMetafileText(QStringLiteral("12:05:09 \u00e9"));
    EXPECT_EQ(latin.charSet, ansiCharSet);
    EXPECT_EQ(latin.bytes, "12:05:09 \xe9");
    const WmfText russian = toMetafileText(QStringLiteral("Страниц: 3 Ёё№"));
    EXPECT_EQ(russian.charSet, russianCharSet);
    EXPECT_EQ(russian.bytes, "\xd1\xf2\xf0\xe0\xed\xe8\xf6: 3 \xa8\xb8\xb9");
    EXPECT_EQ(toMetafileText(QStringLiteral("Я\u4e2d")).bytes, "\xdf?");
}

} // namespace
} // namespace voltarix::pictures
