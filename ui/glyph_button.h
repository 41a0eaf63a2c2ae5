#pragma once

#include <QPixmap>
#include <QToolButton>

namespace voltarix::ui {

// A button whose picture comes from a strip of equally wide images: the
// strip is cut into numGlyphs images and the first (or the second, while
// disabled) is shown. Cutting the same strip differently shows another
// picture, which is how the button tells states apart.
class GlyphButton : public QToolButton {
    Q_OBJECT
public:
    explicit GlyphButton(QWidget* parent = nullptr);

    void setGlyphStrip(const QPixmap& strip);
    void setNumGlyphs(int count);
    int numGlyphs() const { return numGlyphs_; }

protected:
    void changeEvent(QEvent* event) override;

private:
    void updateIcon();

    QPixmap strip_;
    int numGlyphs_ = 1;
};

} // namespace voltarix::ui
