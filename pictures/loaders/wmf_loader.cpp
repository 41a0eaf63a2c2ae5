#include "pictures/loaders/wmf_loader.h"

#include "pictures/loaders/isolated_run.h"
#include "pictures/loaders/picture_error.h"
#include "pictures/loaders/wmf_records.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

#include <libwmf/api.h>
#include <libwmf/gd.h>
#include <libwmf/gd/gd.h>

namespace voltarix::pictures {

namespace {

// A damaged file can hold a million tiny records that each make libwmf work
// hard; past these bounds it is not played to the end.
constexpr int kMaxRecords = 1'000'000;
constexpr int kWidestPen = std::numeric_limits<qint16>::max();

[[noreturn]] void notValid() {
    throw PictureError(QStringLiteral("Metafile is not valid"));
}

int toPixels(double units, double unitsPerInch, double dotsPerInch) {
    return int(std::lround(units * dotsPerInch / unitsPerInch));
}

// With wmf_gd_image the image is the caller's, and libwmf exports nothing
// that frees it. This releases what gd's own destroy would: the pixel rows
// (or one contiguous block), polygon and style buffers, clip list, the image.
void releaseGdImage(void* image) {
    auto* gd = static_cast<gdImage*>(image);
    if (gd == nullptr)
        return;
    if (gd->pixels != nullptr) {
        for (int y = 0; y < gd->sy; ++y)
            std::free(gd->pixels[y]);
        std::free(gd->pixels);
    }
    if (gd->tpixels != nullptr && gd->_tpixels == nullptr) {
        for (int y = 0; y < gd->sy; ++y)
            std::free(gd->tpixels[y]);
    }
    std::free(gd->tpixels);
    std::free(gd->_tpixels);
    std::free(gd->polyInts);
    std::free(gd->style);
    if (gd->clip != nullptr) {
        std::free(gd->clip->list);
        std::free(gd->clip);
    }
    std::free(gd);
}

// One libwmf session over the file's bytes, destroyed whatever happens.
class WmfSession {
public:
    explicit WmfSession(QByteArray bytes) : bytes_(std::move(bytes)) {
        wmfAPI_Options options{};
        options.function = wmf_gd_function;
        const unsigned long flags =
            WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
        if (wmf_api_create(&api_, flags, &options) != wmf_E_None) {
            destroy();
            notValid();
        }
        check(wmf_mem_open(api_, reinterpret_cast<unsigned char*>(bytes_.data()),
                           long(bytes_.size())));
    }
    ~WmfSession() { destroy(); }
    WmfSession(const WmfSession&) = delete;
    WmfSession& operator=(const WmfSession&) = delete;

    wmfD_Rect scan() {
        wmfD_Rect box{};
        check(wmf_scan(api_, 0, &box));
        return box;
    }

    // Plays the part of the drawing inside the device rectangle box into an
    // image of the given size.
    // Plays the part of the drawing inside the device rectangle box into
    // size.width() x size.height() pixels at out, 0xFFRRGGBB each.
    void play(const wmfD_Rect& box, QSize size, QRgb* out) {
        wmf_gd_t* device = WMF_GD_GetData(api_);
        device->type = wmf_gd_image;
        device->bbox = box;
        device->width = unsigned(size.width());
        device->height = unsigned(size.height());
        wmfD_Rect played = box;
        check(wmf_play(api_, 0, &played));
        if (device->gd_image == nullptr)
            notValid();
        copyPixels(wmf_gd_image_pixels(device->gd_image), size, out);
    }

private:
    void check(wmf_error_t error) const {
        if (error != wmf_E_None || api_->err != wmf_E_None)
            notValid();
    }

    void destroy() {
        if (api_ == nullptr)
            return;
        void* image = WMF_GD_GetData(api_)->gd_image;
        wmf_api_destroy(api_);
        releaseGdImage(image);
        api_ = nullptr;
    }

    // gd's true-colour pixels are 0xAARRGGBB with gd's 7-bit alpha; the
    // picture is shown opaque.
    static void copyPixels(const int* pixels, QSize size, QRgb* out) {
        if (pixels == nullptr)
            notValid();
        const std::size_t count = std::size_t(size.width()) * std::size_t(size.height());
        for (std::size_t i = 0; i < count; ++i)
            out[i] = 0xFF000000u | (quint32(pixels[i]) & 0x00FFFFFFu);
    }

    QByteArray bytes_;
    wmfAPI* api_ = nullptr;
};

wmfD_Rect deviceRect(const QRect& logical, QPoint windowOrigin) {
    const QRect shifted = logical.translated(-windowOrigin);
    wmfD_Rect box;
    box.TL.x = float(shifted.left());
    box.TL.y = float(shifted.top());
    box.BR.x = float(shifted.left() + shifted.width());
    box.BR.y = float(shifted.top() + shifted.height());
    return box;
}

// The picture's logical rectangle: the placeable frame, else the window the
// records set up, else (no window either) what the drawing covers, found by
// libwmf's scan. Without a placeable header a logical unit is a pixel of an
// unscaled screen.
struct Placement {
    wmfD_Rect box;
    QSize pixels;
};

Placement placementOf(const WmfLayout& layout, const QByteArray& bytes, int playMilliseconds,
                      double dotsPerInch) {
    if (layout.frame) {
        if (layout.unitsPerInch == 0)
            notValid();
        const QSize pixels(toPixels(layout.frame->width(), layout.unitsPerInch, dotsPerInch),
                           toPixels(layout.frame->height(), layout.unitsPerInch, dotsPerInch));
        return {deviceRect(*layout.frame, layout.windowOrigin), pixels};
    }
    if (layout.windowExtent) {
        const int width = std::abs(layout.windowExtent->width());
        const int height = std::abs(layout.windowExtent->height());
        const QSize pixels(toPixels(width, kUnscaledScreenDpi, dotsPerInch),
                           toPixels(height, kUnscaledScreenDpi, dotsPerInch));
        return {deviceRect(QRect(layout.windowOrigin, QSize(width, height)), layout.windowOrigin),
                pixels};
    }
    const QByteArray playable = playableWmf(bytes, layout, kWidestPen);
    IsolatedRun measuring(sizeof(wmfD_Rect));
    const auto scan = [&playable](void* shared) {
        *static_cast<wmfD_Rect*>(shared) = WmfSession(playable).scan();
        return true;
    };
    if (measuring.run(scan, playMilliseconds) != IsolatedRun::Outcome::Done)
        notValid();
    const wmfD_Rect box = *static_cast<const wmfD_Rect*>(measuring.shared());
    const double width =
        std::ceil((double(box.BR.x) - box.TL.x) * dotsPerInch / kUnscaledScreenDpi);
    const double height =
        std::ceil((double(box.BR.y) - box.TL.y) * dotsPerInch / kUnscaledScreenDpi);
    constexpr double kLargest = std::numeric_limits<qint16>::max();
    if (!(width > 0 && width <= kLargest && height > 0 && height <= kLargest))
        notValid();
    return {box, QSize(int(width), int(height))};
}

// libgd draws a wide line pixel row by pixel row: a pen thousands of pixels
// wide takes seconds a line. Wider than this, a pen is narrowed to it.
int widestPenInUnits(const Placement& placement) {
    constexpr double kWidestPenPixels = 256;
    const double units = std::max(double(placement.box.BR.x - placement.box.TL.x),
                                  double(placement.box.BR.y - placement.box.TL.y));
    const int pixels = std::max(placement.pixels.width(), placement.pixels.height());
    if (!(units > 0) || pixels <= 0)
        return kWidestPen;
    const double width = std::ceil(kWidestPenPixels * units / pixels);
    return int(std::clamp(width, 1.0, double(kWidestPen)));
}

// libwmf and its gd device have a long record of crashes on damaged files,
// and a fill over a huge area takes them minutes: they play in a child
// process that draws into shared memory and is stopped at the time limit.
QImage play(const QByteArray& playable, const Placement& placement, int playMilliseconds) {
    const QSize size = placement.pixels;
    IsolatedRun player(std::size_t(size.width()) * std::size_t(size.height()) * sizeof(QRgb));
    const auto draw = [&](void* shared) {
        WmfSession session(playable);
        session.scan();
        session.play(placement.box, size, static_cast<QRgb*>(shared));
        return true;
    };
    if (player.run(draw, playMilliseconds) != IsolatedRun::Outcome::Done)
        notValid();
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        notValid();
    const auto* pixels = static_cast<const QRgb*>(player.shared());
    const std::size_t lineBytes = std::size_t(size.width()) * sizeof(QRgb);
    for (int y = 0; y < size.height(); ++y)
        std::memcpy(image.scanLine(y), pixels + std::size_t(y) * size.width(), lineBytes);
    return image;
}

} // namespace

QImage loadWmf(const QByteArray& bytes, const PictureLimits& limits, double dotsPerInch) {
    if (bytes.size() > limits.maxMetafileBytes)
        notValid();
    const std::optional<WmfLayout> layout = walkWmfRecords(bytes, kMaxRecords);
    if (!layout)
        notValid();
    if (!(dotsPerInch > 0))
        dotsPerInch = kUnscaledScreenDpi;
    const Placement placement =
        placementOf(*layout, bytes, limits.maxPlayMilliseconds, dotsPerInch);
    if (!limits.allowsImage(placement.pixels.width(), placement.pixels.height()))
        notValid();
    return play(playableWmf(bytes, *layout, widestPenInUnits(placement)), placement,
                limits.maxPlayMilliseconds);
}

} // namespace voltarix::pictures
