#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

class QLabel;
class QLineEdit;
class QToolButton;
class QWidget;

namespace voltarix::panel {

// The colours of the port panel.
inline const QColor aquaColor{0, 255, 255};
inline const QColor limeColor{0, 255, 0};
inline const QColor yellowColor{255, 255, 0};
inline const QColor redColor{255, 0, 0};

// Bold type of the register fields.
QFont registerFont();
// Large fixed-pitch type of the pin strings, so that each level stands over
// its keyboard button.
QFont pinStringFont();

// A single-line field on black, read-only or editable.
QLineEdit* makeField(QWidget* parent, const QString& name, const QString& text, const QString& hint,
                     const QColor& textColor, const QFont& font, const QRect& geometry,
                     bool readOnly = true);

QLabel* makeLabel(QWidget* parent, const QString& text, const QRect& geometry);

QToolButton* makeButton(QWidget* parent, const QString& name, const QString& caption,
                        const QRect& geometry);

// The text colour of a field, as the direction indication sets it.
QColor fieldTextColor(const QLineEdit* field);
void setFieldTextColor(QLineEdit* field, const QColor& color);

} // namespace voltarix::panel
