#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace voltarix::pictures {

struct WmfPoint {
    std::int16_t x = 0;
    std::int16_t y = 0;
};

struct WmfRect {
    std::int16_t left = 0;
    std::int16_t top = 0;
    std::int16_t right = 0;
    std::int16_t bottom = 0;
};

// A colour as the metafile stores it: 0x00BBGGRR.
using WmfColour = std::uint32_t;

constexpr WmfColour wmfColour(int red, int green, int blue) {
    return static_cast<WmfColour>((red & 0xff) | (green & 0xff) << 8 | (blue & 0xff) << 16);
}

// The logical font of a CREATEFONTINDIRECT record. A negative height is the
// character (em) height, a positive one the cell height.
struct WmfLogFont {
    std::int16_t height = 0;
    std::int16_t width = 0;
    std::int16_t escapement = 0;
    std::int16_t orientation = 0;
    std::int16_t weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::uint8_t charSet = 0;
    std::uint8_t outPrecision = 0;
    std::uint8_t clipPrecision = 0;
    std::uint8_t quality = 0;
    std::uint8_t pitchAndFamily = 0;
    std::string faceName; // at most 31 bytes are kept, the record holds a terminated name
};

// Writes a Windows metafile (the 16-bit kind, not enhanced) record by record,
// with the placeable header in front. It keeps the object table the way the
// playing device does: a new object takes the lowest free index and a deleted
// one frees its index, so that the header can state how many slots the
// picture needs. Sizes are counted in 16-bit words, as the format counts them.
class WmfRecordWriter {
public:
    enum Function : std::uint16_t {
        EndOfFile = 0x0000,
        SaveDc = 0x001E,
        SetBkMode = 0x0102,
        SetMapMode = 0x0103,
        SetPolyFillMode = 0x0106,
        RestoreDc = 0x0127,
        SelectObject = 0x012D,
        SetTextAlign = 0x012E,
        DeleteObject = 0x01F0,
        SetBkColor = 0x0201,
        SetTextColor = 0x0209,
        SetWindowOrg = 0x020B,
        SetWindowExt = 0x020C,
        CreatePenIndirect = 0x02FA,
        CreateFontIndirect = 0x02FB,
        CreateBrushIndirect = 0x02FC,
        Polygon = 0x0324,
        Polyline = 0x0325,
        PolyPolygon = 0x0538,
        IntersectClipRect = 0x0416,
        Rectangle = 0x041B,
        SetPixel = 0x041F,
        TextOut = 0x0521,
        ExtTextOut = 0x0A32,
        StretchDib = 0x0F43,
    };

    static constexpr std::uint32_t placeableKey = 0x9AC6CDD7;
    static constexpr std::size_t placeableHeaderBytes = 22;
    static constexpr std::size_t headerBytes = 18;
    static constexpr std::size_t maxPoints = 0x7fff;

    // Pen styles, brush styles and modes the records take.
    static constexpr std::uint16_t penSolid = 0;
    static constexpr std::uint16_t penDash = 1;
    static constexpr std::uint16_t penDot = 2;
    static constexpr std::uint16_t penDashDot = 3;
    static constexpr std::uint16_t penDashDotDot = 4;
    static constexpr std::uint16_t penNull = 5;
    static constexpr std::uint16_t brushSolid = 0;
    static constexpr std::uint16_t brushNull = 1;
    static constexpr std::uint16_t transparentBackground = 1;
    static constexpr std::uint16_t mapModeText = 1;
    static constexpr std::uint16_t alternateFill = 1;
    static constexpr std::uint16_t windingFill = 2;
    static constexpr std::uint16_t alignBaseline = 24;
    static constexpr std::uint16_t textClipped = 0x0004;

    // Objects; each returns the object's index in the table.
    std::uint16_t createPen(std::uint16_t style, std::int16_t width, WmfColour colour);
    std::uint16_t createBrush(std::uint16_t style, WmfColour colour, std::uint16_t hatch = 0);
    std::uint16_t createFont(const WmfLogFont& font);
    void selectObject(std::uint16_t index);
    // Raises std::invalid_argument for an index that holds no object.
    void deleteObject(std::uint16_t index);

    // Device state.
    void setWindowOrg(WmfPoint origin);
    void setWindowExt(std::int16_t width, std::int16_t height);
    void setMapMode(std::uint16_t mode);
    void setBkMode(std::uint16_t mode);
    void setBkColor(WmfColour colour);
    void setTextColor(WmfColour colour);
    void setTextAlign(std::uint16_t align);
    void setPolyFillMode(std::uint16_t mode);
    void saveDc();
    void restoreDc();
    void intersectClipRect(const WmfRect& rect);

    // Drawing. Point lists hold 1 to maxPoints points (std::length_error otherwise).
    void polyline(std::span<const WmfPoint> points);
    void polygon(std::span<const WmfPoint> points);
    // Several closed outlines filled as one shape, so that one can be a hole in another.
    void polyPolygon(std::span<const std::vector<WmfPoint>> outlines);
    void rectangle(const WmfRect& rect);
    void setPixel(WmfPoint at, WmfColour colour);
    // Text in the bytes of the selected font's character set, drawn at the
    // reference point the text alignment names.
    void textOut(WmfPoint at, std::string_view text);
    // advances, when given, hold one distance per byte from that character's
    // start to the next one's, so that the player places each character where
    // the drawing had it whatever font it finds.
    void extTextOut(WmfPoint at, std::string_view text, std::span<const std::int16_t> advances = {},
                    std::uint16_t options = 0, const WmfRect* clip = nullptr);
    // A device-independent bitmap (its info header and bits) stretched into dest.
    void stretchDib(const WmfRect& dest, std::int16_t sourceWidth, std::int16_t sourceHeight,
                    std::span<const std::uint8_t> dib);

    // The whole file: placeable header, metafile header, the records and the
    // end-of-file record. The frame is in logical units, unitsPerInch of them
    // to the inch. The writer can go on recording afterwards.
    std::vector<std::uint8_t> file(const WmfRect& frame, std::uint16_t unitsPerInch) const;

    std::uint16_t objectSlots() const { return static_cast<std::uint16_t>(slots_.size()); }
    std::uint32_t largestRecordWords() const { return largestRecord_; }
    std::size_t recordCount() const { return records_; }

private:
    void begin(Function function);
    void word(std::uint16_t value);
    void signedWord(std::int16_t value) { word(static_cast<std::uint16_t>(value)); }
    void dword(std::uint32_t value);
    void bytes(std::span<const std::uint8_t> data);
    void end();
    void points(std::span<const WmfPoint> points);
    std::uint16_t takeSlot();

    std::vector<std::uint8_t> body_;
    std::size_t recordStart_ = 0;
    std::uint32_t largestRecord_ = 3; // the end-of-file record
    std::size_t records_ = 0;
    std::vector<bool> slots_;
};

} // namespace voltarix::pictures
