#include "regdiagram/view_buttons.h"

#include "ui/hints.h"

#include <QButtonGroup>
#include <QPainter>
#include <QToolButton>

namespace voltarix::regdiagram {

namespace {

constexpr int glyphSize = 16;

// A frame with the register chart's bars in its lower part.
void drawBars(QPainter& painter, int top, int height) {
    const std::array<QColor, 3> colours{QColor(255, 0, 0), QColor(0, 200, 0), QColor(0, 200, 200)};
    const std::array<int, 3> heights{height - 1, height / 2, height * 3 / 4};
    for (int i = 0; i < 3; ++i) {
        const int h = heights[static_cast<std::size_t>(i)];
        painter.fillRect(2 + 4 * i, top + height - h, 3, h, colours[static_cast<std::size_t>(i)]);
    }
}

// A stair trace of the 17-bit chart on black.
void drawTraces(QPainter& painter, int top, int height) {
    painter.fillRect(1, top, 14, height, Qt::black);
    painter.setPen(QColor(0, 230, 0));
    const int low = top + height - 2;
    const int high = top + 1;
    painter.drawPolyline(
        QPolygon({QPoint(1, low), QPoint(4, low), QPoint(4, high), QPoint(8, high), QPoint(8, low),
                  QPoint(11, low), QPoint(11, high), QPoint(14, high)}));
}

QPixmap glyph(bool traces, bool bars) {
    QPixmap pixmap(glyphSize, glyphSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    if (traces && bars) {
        drawTraces(painter, 1, 7);
        drawBars(painter, 9, 6);
    } else if (traces) {
        drawTraces(painter, 2, 12);
    } else {
        drawBars(painter, 2, 12);
    }
    painter.setPen(Qt::darkGray);
    painter.drawRect(0, 0, glyphSize - 1, glyphSize - 1);
    return pixmap;
}

} // namespace

ViewButtonBar::ViewButtonBar(QWidget* parent) : QWidget(parent), group_(new QButtonGroup(this)) {
    group_->setExclusive(true);
    SpeedButton10 =
        makeViewButton(QStringLiteral("SpeedButton10"),
                       QStringLiteral("Развернуть регистр диаграмму"), glyph(false, true), 0);
    SpeedButton11 =
        makeViewButton(QStringLiteral("SpeedButton11"),
                       QStringLiteral("Развернуть 17 bit диаграмму"), glyph(true, false), 1);
    SpeedButton12 = makeViewButton(QStringLiteral("SpeedButton12"), QStringLiteral("Все диаграммы"),
                                   glyph(true, true), 2);
    SpeedButton12->setChecked(true);
    resize(3 * buttonSize, buttonSize);
}

QToolButton* ViewButtonBar::makeViewButton(const QString& name, const QString& hint,
                                           const QPixmap& picture, int index) {
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setCheckable(true);
    button->setAutoRaise(true);
    button->setIcon(QIcon(picture));
    button->setIconSize(picture.size());
    button->setGeometry(index * buttonSize, 0, buttonSize, buttonSize);
    ui::setHint(button, hint);
    group_->addButton(button);
    return button;
}

} // namespace voltarix::regdiagram
