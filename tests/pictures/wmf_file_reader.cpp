#include "wmf_file_reader.h"

#include <algorithm>

namespace voltarix::testkit {

namespace {

constexpr std::uint16_t selectObject = 0x012D;
constexpr std::uint16_t deleteObject = 0x01F0;
constexpr std::uint16_t endOfFile = 0x0000;
constexpr std::uint16_t creators[] = {0x02FA, 0x02FB, 0x02FC, 0x0142, 0x01F9, 0x06FF};

std::uint16_t u16(std::span<const std::uint8_t> b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

std::uint32_t u32(std::span<const std::uint8_t> b, std::size_t at) {
    return u16(b, at) | static_cast<std::uint32_t>(u16(b, at + 2)) << 16;
}

std::string bytesOf(const std::vector<std::uint16_t>& words, std::size_t from, std::size_t count) {
    std::string out;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint16_t w = words.at(from + i / 2);
        out.push_back(static_cast<char>(i % 2 == 0 ? w & 0xff : w >> 8));
    }
    return out;
}

void playObjects(WmfFileView& view) {
    std::vector<bool> table;
    for (const WmfRecordView& r : view.records) {
        if (std::find(std::begin(creators), std::end(creators), r.function) != std::end(creators)) {
            auto free = std::find(table.begin(), table.end(), false);
            if (free == table.end())
                table.push_back(true);
            else
                *free = true;
        } else if (r.function == selectObject || r.function == deleteObject) {
            const std::uint16_t index = r.params.at(0);
            if (index >= table.size() || !table[index])
                view.faults.push_back("object " + std::to_string(index) + " used while empty");
            else if (r.function == deleteObject)
                table[index] = false;
        }
        view.slotsUsed = std::max(view.slotsUsed, static_cast<std::uint16_t>(table.size()));
    }
}

} // namespace

std::vector<const WmfRecordView*> WmfFileView::all(std::uint16_t function) const {
    std::vector<const WmfRecordView*> out;
    for (const WmfRecordView& r : records)
        if (r.function == function)
            out.push_back(&r);
    return out;
}

WmfFileView readWmf(std::span<const std::uint8_t> b) {
    WmfFileView view;
    if (b.size() < 40) {
        view.faults.push_back("file shorter than its headers");
        return view;
    }
    view.key = u32(b, 0);
    view.left = static_cast<std::int16_t>(u16(b, 6));
    view.top = static_cast<std::int16_t>(u16(b, 8));
    view.right = static_cast<std::int16_t>(u16(b, 10));
    view.bottom = static_cast<std::int16_t>(u16(b, 12));
    view.inch = u16(b, 14);
    view.checksum = u16(b, 20);
    for (std::size_t i = 0; i < 20; i += 2)
        view.computedChecksum ^= u16(b, i);
    view.type = u16(b, 22);
    view.headerWords = u16(b, 24);
    view.version = u16(b, 26);
    view.sizeWords = u32(b, 28);
    view.objects = u16(b, 32);
    view.maxRecord = u32(b, 34);
    if ((b.size() - 22) / 2 != view.sizeWords)
        view.faults.push_back("header size differs from the file's");

    std::size_t at = 40;
    bool ended = false;
    while (!ended && at + 6 <= b.size()) {
        WmfRecordView r;
        r.words = u32(b, at);
        r.function = u16(b, at + 4);
        if (r.words < 3 || at + 2 * std::size_t{r.words} > b.size()) {
            view.faults.push_back("record runs past the end");
            return view;
        }
        for (std::size_t i = 3; i < r.words; ++i)
            r.params.push_back(u16(b, at + 2 * i));
        view.largestRecord = std::max(view.largestRecord, r.words);
        ended = r.function == endOfFile;
        at += 2 * std::size_t{r.words};
        view.records.push_back(std::move(r));
    }
    if (!ended)
        view.faults.push_back("no end-of-file record");
    else if (at != b.size())
        view.faults.push_back("bytes after the end-of-file record");
    playObjects(view);
    return view;
}

std::string extTextOutString(const WmfRecordView& record) {
    const auto length = record.params.at(2);
    const bool rect = (record.params.at(3) & 0x0006) != 0;
    return bytesOf(record.params, rect ? 8 : 4, length);
}

std::string fontFaceName(const WmfRecordView& record) {
    std::string name = bytesOf(record.params, 9, 32);
    return name.substr(0, name.find('\0'));
}

} // namespace voltarix::testkit
