#include "panel/panel_style.h"

#include "ui/hints.h"

#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace voltarix::panel {

QFont registerFont() {
    QFont font;
    font.setBold(true);
    return font;
}

QFont pinStringFont() {
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(14);
    font.setBold(true);
    return font;
}

QLineEdit* makeField(QWidget* parent, const QString& name, const QString& text, const QString& hint,
                     const QColor& textColor, const QFont& font, const QRect& geometry,
                     bool readOnly) {
    auto* field = new QLineEdit(text, parent);
    field->setObjectName(name);
    field->setReadOnly(readOnly);
    field->setFont(font);
    field->setGeometry(geometry);
    field->setTextMargins(0, 0, 0, 0);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, Qt::black);
    palette.setColor(QPalette::Text, textColor);
    field->setPalette(palette);
    // An opaque field repaints alone when its text changes; otherwise every
    // change of a live value would repaint the group box behind it too.
    field->setAutoFillBackground(true);
    if (!hint.isEmpty())
        ui::setHint(field, hint);
    return field;
}

QLabel* makeLabel(QWidget* parent, const QString& text, const QRect& geometry) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    return label;
}

QToolButton* makeButton(QWidget* parent, const QString& name, const QString& caption,
                        const QRect& geometry) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setText(caption);
    button->setGeometry(geometry);
    return button;
}

QColor fieldTextColor(const QLineEdit* field) {
    return field->palette().color(QPalette::Text);
}

void setFieldTextColor(QLineEdit* field, const QColor& color) {
    // The monitor sets the colour at every tick; an unchanged colour must not
    // cost a repaint.
    if (fieldTextColor(field) == color)
        return;
    QPalette palette = field->palette();
    palette.setColor(QPalette::Text, color);
    field->setPalette(palette);
}

} // namespace voltarix::panel
