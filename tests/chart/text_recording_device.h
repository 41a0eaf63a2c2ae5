#pragma once

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <QRectF>
#include <QString>
#include <QTextItem>
#include <QTransform>

#include <memory>
#include <vector>

namespace voltarix::testkit {

// A paint device that keeps only the texts drawn on it, each with the line
// it stands on and the space it takes as the painter lays it out, so that a
// test can see where labels went on a device of any size and resolution.
class TextRecordingDevice : public QPaintDevice {
public:
    struct Text {
        QString text;
        double left;
        double right;
        double baseline;
    };

    TextRecordingDevice(QSize size, int dotsPerInch = 96)
        : size_(size), dpi_(dotsPerInch), engine_(std::make_unique<Engine>(texts_)) {}

    QPaintEngine* paintEngine() const override { return engine_.get(); }
    const std::vector<Text>& texts() const { return texts_; }

protected:
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
        case PdmWidth:
            return size_.width();
        case PdmHeight:
            return size_.height();
        case PdmWidthMM:
            return size_.width() * 254 / (10 * dpi_);
        case PdmHeightMM:
            return size_.height() * 254 / (10 * dpi_);
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return dpi_;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return 1 << 24;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        default:
            return QPaintDevice::metric(metric);
        }
    }

private:
    class Engine : public QPaintEngine {
    public:
        explicit Engine(std::vector<Text>& texts) : QPaintEngine(AllFeatures), texts_(texts) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState& state) override {
            if (state.state() & DirtyTransform)
                transform_ = state.transform();
        }
        // Everything but text is left out.
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawPath(const QPainterPath&) override {}
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
        void drawPolygon(const QPoint*, int, PolygonDrawMode) override {}
        void drawLines(const QLineF*, int) override {}
        void drawLines(const QLine*, int) override {}
        void drawRects(const QRectF*, int) override {}
        void drawRects(const QRect*, int) override {}
        void drawPoints(const QPointF*, int) override {}
        void drawPoints(const QPoint*, int) override {}
        void drawEllipse(const QRectF&) override {}
        void drawImage(const QRectF&, const QImage&, const QRectF&,
                       Qt::ImageConversionFlags) override {}
        void drawTextItem(const QPointF& at, const QTextItem& item) override {
            const QPointF left = transform_.map(at);
            const QPointF right = transform_.map(at + QPointF(item.width(), 0));
            texts_.push_back({item.text(), left.x(), right.x(), left.y()});
        }
        Type type() const override { return User; }

    private:
        std::vector<Text>& texts_;
        QTransform transform_;
    };

    QSize size_;
    int dpi_;
    std::vector<Text> texts_;
    std::unique_ptr<Engine> engine_;
};

} // namespace voltarix::testkit
