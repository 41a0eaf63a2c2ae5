#include "ui/glyph_button.h"

#include <QEvent>

namespace voltarix::ui {

GlyphButton::GlyphButton(QWidget* parent) : QToolButton(parent) {
    setAutoRaise(true);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
}

void GlyphButton::setGlyphStrip(const QPixmap& strip) {
    strip_ = strip;
    updateIcon();
}

void GlyphButton::setNumGlyphs(int count) {
    if (count < 1 || count == numGlyphs_)
        return;
    numGlyphs_ = count;
    updateIcon();
}

void GlyphButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange)
        updateIcon();
    QToolButton::changeEvent(event);
}

void GlyphButton::updateIcon() {
    if (strip_.isNull())
        return;
    const int width = strip_.width() / numGlyphs_;
    const int image = (!isEnabled() && numGlyphs_ > 1) ? 1 : 0;
    const QPixmap glyph = strip_.copy(image * width, 0, width, strip_.height());
    setIcon(QIcon(glyph));
    setIconSize(glyph.size());
}

} // namespace voltarix::ui
