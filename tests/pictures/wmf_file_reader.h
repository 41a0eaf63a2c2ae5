#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace voltarix::testkit {

// Reads a placeable Windows metafile back, record by record, and plays its
// object table the way a device does, noting every breach of the format
// instead of stopping at the first.
struct WmfRecordView {
    std::uint32_t words;
    std::uint16_t function;
    std::vector<std::uint16_t> params;

    std::int16_t param(std::size_t i) const { return static_cast<std::int16_t>(params.at(i)); }
};

struct WmfFileView {
    // Placeable header.
    std::uint32_t key = 0;
    std::int16_t left = 0, top = 0, right = 0, bottom = 0;
    std::uint16_t inch = 0;
    std::uint16_t checksum = 0;
    std::uint16_t computedChecksum = 0;
    // Metafile header.
    std::uint16_t type = 0, headerWords = 0, version = 0;
    std::uint32_t sizeWords = 0;
    std::uint16_t objects = 0;
    std::uint32_t maxRecord = 0;

    std::vector<WmfRecordView> records;
    std::vector<std::string> faults;
    std::uint32_t largestRecord = 0;
    std::uint16_t slotsUsed = 0;

    std::vector<const WmfRecordView*> all(std::uint16_t function) const;
};

WmfFileView readWmf(std::span<const std::uint8_t> bytes);

// The bytes of a text record's string, and the face name of a font record.
std::string extTextOutString(const WmfRecordView& record);
std::string fontFaceName(const WmfRecordView& record);

} // namespace voltarix::testkit
