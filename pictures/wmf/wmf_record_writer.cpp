#include "pictures/wmf/wmf_record_writer.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace voltarix::pictures {

namespace {

constexpr std::size_t faceNameBytes = 32;
constexpr std::uint32_t sourceCopy = 0x00CC0020;
constexpr std::uint16_t rgbColours = 0;

void put16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xff));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    put16(out, static_cast<std::uint16_t>(value & 0xffff));
    put16(out, static_cast<std::uint16_t>(value >> 16));
}

std::span<const std::uint8_t> asBytes(std::string_view text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

std::int16_t textLength(std::string_view text) {
    if (text.size() > 0x7fff)
        throw std::length_error("metafile text too long");
    return static_cast<std::int16_t>(text.size());
}

} // namespace

void WmfRecordWriter::begin(Function function) {
    recordStart_ = body_.size();
    put32(body_, 0); // the size, filled in by end()
    word(function);
}

void WmfRecordWriter::word(std::uint16_t value) {
    put16(body_, value);
}

void WmfRecordWriter::dword(std::uint32_t value) {
    put32(body_, value);
}

// Byte runs are padded to whole words, as every record is.
void WmfRecordWriter::bytes(std::span<const std::uint8_t> data) {
    body_.insert(body_.end(), data.begin(), data.end());
    if (data.size() % 2 != 0)
        body_.push_back(0);
}

void WmfRecordWriter::end() {
    const auto words = static_cast<std::uint32_t>((body_.size() - recordStart_) / 2);
    for (int i = 0; i < 4; ++i)
        body_[recordStart_ + static_cast<std::size_t>(i)] =
            static_cast<std::uint8_t>(words >> (8 * i));
    largestRecord_ = std::max(largestRecord_, words);
    ++records_;
}

void WmfRecordWriter::points(std::span<const WmfPoint> list) {
    if (list.empty() || list.size() > maxPoints)
        throw std::length_error("metafile point list must hold 1 to 32767 points");
    signedWord(static_cast<std::int16_t>(list.size()));
    for (const WmfPoint& p : list) {
        signedWord(p.x);
        signedWord(p.y);
    }
}

std::uint16_t WmfRecordWriter::takeSlot() {
    const auto free = std::find(slots_.begin(), slots_.end(), false);
    if (free != slots_.end()) {
        *free = true;
        return static_cast<std::uint16_t>(free - slots_.begin());
    }
    if (slots_.size() >= 0xffff)
        throw std::length_error("metafile object table full");
    slots_.push_back(true);
    return static_cast<std::uint16_t>(slots_.size() - 1);
}

std::uint16_t WmfRecordWriter::createPen(std::uint16_t style, std::int16_t width,
                                         WmfColour colour) {
    begin(CreatePenIndirect);
    word(style);
    signedWord(width);
    signedWord(0); // the width's unused y
    dword(colour);
    end();
    return takeSlot();
}

std::uint16_t WmfRecordWriter::createBrush(std::uint16_t style, WmfColour colour,
                                           std::uint16_t hatch) {
    begin(CreateBrushIndirect);
    word(style);
    dword(colour);
    word(hatch);
    end();
    return takeSlot();
}

std::uint16_t WmfRecordWriter::createFont(const WmfLogFont& font) {
    begin(CreateFontIndirect);
    signedWord(font.height);
    signedWord(font.width);
    signedWord(font.escapement);
    signedWord(font.orientation);
    signedWord(font.weight);
    const std::uint8_t flags[] = {font.italic,  font.underline,     font.strikeOut,
                                  font.charSet, font.outPrecision,  font.clipPrecision,
                                  font.quality, font.pitchAndFamily};
    bytes(flags);
    std::array<std::uint8_t, faceNameBytes> face{};
    const std::size_t length = std::min(font.faceName.size(), faceNameBytes - 1);
    std::copy_n(font.faceName.begin(), length, face.begin());
    bytes(face);
    end();
    return takeSlot();
}

void WmfRecordWriter::selectObject(std::uint16_t index) {
    begin(SelectObject);
    word(index);
    end();
}

void WmfRecordWriter::deleteObject(std::uint16_t index) {
    if (index >= slots_.size() || !slots_[index])
        throw std::invalid_argument("no metafile object at that index");
    begin(DeleteObject);
    word(index);
    end();
    slots_[index] = false;
}

// The two coordinate records store y before x.
void WmfRecordWriter::setWindowOrg(WmfPoint origin) {
    begin(SetWindowOrg);
    signedWord(origin.y);
    signedWord(origin.x);
    end();
}

void WmfRecordWriter::setWindowExt(std::int16_t width, std::int16_t height) {
    begin(SetWindowExt);
    signedWord(height);
    signedWord(width);
    end();
}

void WmfRecordWriter::setMapMode(std::uint16_t mode) {
    begin(SetMapMode);
    word(mode);
    end();
}

void WmfRecordWriter::setBkMode(std::uint16_t mode) {
    begin(SetBkMode);
    word(mode);
    end();
}

void WmfRecordWriter::setBkColor(WmfColour colour) {
    begin(SetBkColor);
    dword(colour);
    end();
}

void WmfRecordWriter::setTextColor(WmfColour colour) {
    begin(SetTextColor);
    dword(colour);
    end();
}

void WmfRecordWriter::setTextAlign(std::uint16_t align) {
    begin(SetTextAlign);
    word(align);
    end();
}

void WmfRecordWriter::setPolyFillMode(std::uint16_t mode) {
    begin(SetPolyFillMode);
    word(mode);
    end();
}

void WmfRecordWriter::saveDc() {
    begin(SaveDc);
    end();
}

void WmfRecordWriter::restoreDc() {
    begin(RestoreDc);
    signedWord(-1); // the state saved last
    end();
}

// Rectangles are stored bottom, right, top, left.
void WmfRecordWriter::intersectClipRect(const WmfRect& rect) {
    begin(IntersectClipRect);
    signedWord(rect.bottom);
    signedWord(rect.right);
    signedWord(rect.top);
    signedWord(rect.left);
    end();
}

void WmfRecordWriter::polyline(std::span<const WmfPoint> list) {
    begin(Polyline);
    points(list);
    end();
}

void WmfRecordWriter::polygon(std::span<const WmfPoint> list) {
    begin(Polygon);
    points(list);
    end();
}

void WmfRecordWriter::polyPolygon(std::span<const std::vector<WmfPoint>> outlines) {
    std::size_t total = 0;
    for (const auto& outline : outlines) {
        if (outline.empty())
            throw std::length_error("metafile outline without points");
        total += outline.size();
    }
    if (outlines.empty() || outlines.size() > maxPoints || total > maxPoints)
        throw std::length_error("metafile outlines must hold 1 to 32767 points");
    begin(PolyPolygon);
    word(static_cast<std::uint16_t>(outlines.size()));
    for (const auto& outline : outlines)
        word(static_cast<std::uint16_t>(outline.size()));
    for (const auto& outline : outlines) {
        for (const WmfPoint& p : outline) {
            signedWord(p.x);
            signedWord(p.y);
        }
    }
    end();
}

void WmfRecordWriter::rectangle(const WmfRect& rect) {
    begin(Rectangle);
    signedWord(rect.bottom);
    signedWord(rect.right);
    signedWord(rect.top);
    signedWord(rect.left);
    end();
}

void WmfRecordWriter::setPixel(WmfPoint at, WmfColour colour) {
    begin(SetPixel);
    dword(colour);
    signedWord(at.y);
    signedWord(at.x);
    end();
}

void WmfRecordWriter::textOut(WmfPoint at, std::string_view text) {
    begin(TextOut);
    signedWord(textLength(text));
    bytes(asBytes(text));
    signedWord(at.y);
    signedWord(at.x);
    end();
}

void WmfRecordWriter::extTextOut(WmfPoint at, std::string_view text,
                                 std::span<const std::int16_t> advances, std::uint16_t options,
                                 const WmfRect* clip) {
    if (!advances.empty() && advances.size() != text.size())
        throw std::invalid_argument("one advance per character of the text");
    begin(ExtTextOut);
    signedWord(at.y);
    signedWord(at.x);
    signedWord(textLength(text));
    word(clip ? options : static_cast<std::uint16_t>(options & ~textClipped));
    if (clip) {
        signedWord(clip->left);
        signedWord(clip->top);
        signedWord(clip->right);
        signedWord(clip->bottom);
    }
    bytes(asBytes(text));
    for (std::int16_t advance : advances)
        signedWord(advance);
    end();
}

void WmfRecordWriter::stretchDib(const WmfRect& dest, std::int16_t sourceWidth,
                                 std::int16_t sourceHeight, std::span<const std::uint8_t> dib) {
    begin(StretchDib);
    dword(sourceCopy);
    word(rgbColours);
    signedWord(sourceHeight);
    signedWord(sourceWidth);
    signedWord(0); // source y
    signedWord(0); // source x
    signedWord(static_cast<std::int16_t>(dest.bottom - dest.top));
    signedWord(static_cast<std::int16_t>(dest.right - dest.left));
    signedWord(dest.top);
    signedWord(dest.left);
    bytes(dib);
    end();
}

std::vector<std::uint8_t> WmfRecordWriter::file(const WmfRect& frame,
                                                std::uint16_t unitsPerInch) const {
    std::vector<std::uint8_t> out;
    out.reserve(placeableHeaderBytes + headerBytes + body_.size() + 6);

    put32(out, placeableKey);
    put16(out, 0); // metafile handle, always 0 in a file
    for (std::int16_t v : {frame.left, frame.top, frame.right, frame.bottom})
        put16(out, static_cast<std::uint16_t>(v));
    put16(out, unitsPerInch);
    put32(out, 0); // reserved
    std::uint16_t checksum = 0;
    for (std::size_t i = 0; i < out.size(); i += 2)
        checksum ^= static_cast<std::uint16_t>(out[i] | out[i + 1] << 8);
    put16(out, checksum);

    const std::size_t totalWords = (headerBytes + body_.size()) / 2 + 3;
    put16(out, 1);      // kept in memory, the kind every writer uses
    put16(out, 9);      // header size in words
    put16(out, 0x0300); // version with device-independent bitmaps
    put32(out, static_cast<std::uint32_t>(totalWords));
    put16(out, objectSlots());
    put32(out, largestRecord_);
    put16(out, 0); // unused parameter count

    out.insert(out.end(), body_.begin(), body_.end());
    put32(out, 3);
    put16(out, EndOfFile);
    return out;
}

} // namespace voltarix::pictures
