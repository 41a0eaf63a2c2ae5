#include "pictures/browser/browser_buttons.h"

#include "ui/click_registry.h"
#include "ui/glyph_button.h"
#include "ui/hints.h"

#include <QPainter>
#include <QPixmap>

namespace voltarix::pictures {

namespace {

constexpr int glyphSize = 16;
constexpr int top = 102;

// A picture frame with a hill and a sun; the open glyph adds a folder tab.
// Two glyphs a strip: enabled, then greyed.
QPixmap browserGlyphStrip(bool withFolder) {
    QPixmap strip(2 * glyphSize, glyphSize);
    strip.fill(Qt::transparent);
    QPainter painter(&strip);
    for (int image = 0; image < 2; ++image) {
        const int x = image * glyphSize;
        const bool enabled = image == 0;
        if (withFolder) {
            painter.setPen(enabled ? QColor(128, 96, 0) : Qt::gray);
            painter.setBrush(enabled ? QColor(240, 200, 80) : QColor(210, 210, 210));
            painter.drawRect(x + 0, 3, 9, 11);
        }
        painter.setPen(enabled ? Qt::black : Qt::gray);
        painter.setBrush(enabled ? QColor(200, 230, 255) : QColor(230, 230, 230));
        const int left = withFolder ? x + 5 : x + 1;
        painter.drawRect(left, 1, 10, 9);
        painter.setPen(Qt::NoPen);
        painter.setBrush(enabled ? QColor(0, 150, 0) : Qt::gray);
        painter.drawPolygon(QPolygon({{left + 1, 9}, {left + 5, 4}, {left + 9, 9}}));
        painter.setBrush(enabled ? QColor(255, 200, 0) : Qt::lightGray);
        painter.drawEllipse(left + 6, 2, 3, 3);
    }
    return strip;
}

ui::GlyphButton* makeBrowserButton(QWidget* tab, const QString& name, const QString& hint, int left,
                                   bool withFolder, const ui::ClickRegistry& clicks) {
    auto* button = new ui::GlyphButton(tab);
    button->setObjectName(name);
    button->setGlyphStrip(browserGlyphStrip(withFolder));
    button->setNumGlyphs(2);
    button->setGeometry(left, top, 26, 26);
    ui::setHint(button, hint);
    QObject::connect(button, &QAbstractButton::clicked, button,
                     [&clicks, name] { clicks.click(name); });
    return button;
}

} // namespace

BrowserButtons::BrowserButtons(QWidget* tab, const ui::ClickRegistry& clicks) {
    SpeedButton27 =
        makeBrowserButton(tab, QStringLiteral("SpeedButton27"),
                          QStringLiteral("Открыть графический файл "), 252, true, clicks);
    SpeedButton28 = makeBrowserButton(tab, QStringLiteral("SpeedButton28"),
                                      QStringLiteral("Показать браузер"), 280, false, clicks);
}

} // namespace voltarix::pictures
