#include "pictures/wmf/wmf_paint_device.h"

#include "pictures/wmf/wmf_paint_engine.h"

#include <limits>

namespace voltarix::pictures {

namespace {

constexpr double millimetresPerInch = 25.4;

} // namespace

WmfPaintDevice::WmfPaintDevice(QSize size, int dotsPerInch)
    : size_(size), dotsPerInch_(dotsPerInch > 0 ? dotsPerInch : 96),
      engine_(std::make_unique<WmfPaintEngine>(writer_)) {}

WmfPaintDevice::~WmfPaintDevice() = default;

QPaintEngine* WmfPaintDevice::paintEngine() const {
    return engine_.get();
}

std::vector<std::uint8_t> WmfPaintDevice::fileBytes() const {
    const WmfRect frame{0, 0, static_cast<std::int16_t>(size_.width()),
                        static_cast<std::int16_t>(size_.height())};
    return writer_.file(frame, static_cast<std::uint16_t>(dotsPerInch_));
}

int WmfPaintDevice::metric(PaintDeviceMetric metric) const {
    switch (metric) {
    case PdmWidth:
        return size_.width();
    case PdmHeight:
        return size_.height();
    case PdmWidthMM:
        return static_cast<int>(size_.width() * millimetresPerInch / dotsPerInch_);
    case PdmHeightMM:
        return static_cast<int>(size_.height() * millimetresPerInch / dotsPerInch_);
    case PdmNumColors:
        return std::numeric_limits<int>::max();
    case PdmDepth:
        return 24;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return dotsPerInch_;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return static_cast<int>(devicePixelRatioFScale());
    default:
        return QPaintDevice::metric(metric);
    }
}

} // namespace voltarix::pictures
