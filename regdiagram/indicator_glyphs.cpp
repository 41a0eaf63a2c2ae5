#include "regdiagram/indicator_glyphs.h"

#include <QPainter>
#include <QRadialGradient>

namespace voltarix::regdiagram {

namespace {

void drawLamp(QPainter& painter, int left, const QColor& light, const QColor& dark) {
    const QRectF lamp(left + 2.5, 2.5, 11, 11);
    QRadialGradient shine(lamp.center() - QPointF(2, 2), 7);
    shine.setColorAt(0, light);
    shine.setColorAt(1, dark);
    painter.setPen(QPen(dark.darker(150), 1));
    painter.setBrush(shine);
    painter.drawEllipse(lamp);
}

} // namespace

QPixmap activeIndicatorStrip() {
    QPixmap strip(32, 16);
    strip.fill(Qt::transparent);
    QPainter painter(&strip);
    painter.setRenderHint(QPainter::Antialiasing);
    drawLamp(painter, 0, QColor(190, 255, 190), QColor(0, 170, 0));
    drawLamp(painter, 16, QColor(200, 200, 200), QColor(110, 110, 110));
    return strip;
}

} // namespace voltarix::regdiagram
