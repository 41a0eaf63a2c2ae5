#pragma once

#include "pictures/wmf/wmf_record_writer.h"

#include <QPaintDevice>
#include <QSize>

#include <cstdint>
#include <memory>
#include <vector>

namespace voltarix::pictures {

class WmfPaintEngine;

// A paint device that records a Windows metafile: whatever a QPainter draws
// on it becomes metafile records, one logical unit per pixel, in a frame of
// the device's size. The resolution is the screen's, so that fonts given in
// points come out as large as on screen.
class WmfPaintDevice : public QPaintDevice {
public:
    WmfPaintDevice(QSize size, int dotsPerInch);
    ~WmfPaintDevice() override;

    QPaintEngine* paintEngine() const override;
    // The whole file; call after the painter has ended.
    std::vector<std::uint8_t> fileBytes() const;
    const WmfRecordWriter& writer() const { return writer_; }

protected:
    int metric(PaintDeviceMetric metric) const override;

private:
    QSize size_;
    int dotsPerInch_;
    WmfRecordWriter writer_;
    std::unique_ptr<WmfPaintEngine> engine_;
};

} // namespace voltarix::pictures
