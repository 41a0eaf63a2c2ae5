#include "panel/register_format.h"

#include <QLineEdit>

namespace voltarix::panel {

QString hexText(std::uint8_t value) {
    return QStringLiteral("$%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
}

QString decimalText(std::uint8_t value) {
    return QString::number(value);
}

void putLevel(QString& pinString, int position, bool level) {
    const qsizetype index = position - 1;
    if (index < 0)
        return;
    if (index >= pinString.size())
        pinString.resize(index + 1, QLatin1Char(' '));
    pinString[index] = level ? QLatin1Char('1') : QLatin1Char('0');
}

void setTextIfDifferent(QLineEdit* field, const QString& text) {
    if (field->text() != text)
        field->setText(text);
}

} // namespace voltarix::panel
