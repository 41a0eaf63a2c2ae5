#include "panel/direction_glyphs.h"

#include "panel/panel_style.h"

#include <QPainter>
#include <QPolygon>

namespace voltarix::panel {

namespace {

// A vertical arrow in an 8 x 16 cell; up means out of the port.
void drawArrow(QPainter& painter, int left, bool up, const QColor& color) {
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    painter.drawRect(left + 3, up ? 6 : 1, 2, 9);
    const QPolygon head =
        up ? QPolygon({QPoint(left, 6), QPoint(left + 8, 6), QPoint(left + 4, 1)})
           : QPolygon({QPoint(left, 10), QPoint(left + 8, 10), QPoint(left + 4, 15)});
    painter.drawPolygon(head);
}

} // namespace

QPixmap directionGlyphStrip() {
    QPixmap strip(32, 16);
    strip.fill(Qt::transparent);
    QPainter painter(&strip);
    painter.setRenderHint(QPainter::Antialiasing);
    drawArrow(painter, 0, true, limeColor.darker(130));  // output, normal
    drawArrow(painter, 8, false, aquaColor.darker(130)); // input, completes the 16-px image
    drawArrow(painter, 16, true, Qt::gray);              // disabled images
    drawArrow(painter, 24, false, Qt::gray);
    return strip;
}

QPixmap informationGlyph() {
    QPixmap glyph(16, 16);
    glyph.fill(Qt::transparent);
    QPainter painter(&glyph);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::darkBlue, 1));
    painter.setBrush(QColor(70, 110, 220));
    painter.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(6.5, 3, 3, 3));
    painter.drawRect(QRectF(6.5, 7, 3, 6));
    return glyph;
}

} // namespace voltarix::panel
