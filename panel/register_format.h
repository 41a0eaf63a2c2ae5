#pragma once

#include <QString>

#include <cstdint>
#include <initializer_list>

class QLineEdit;

namespace voltarix::panel {

// "$" and two upper-case hexadecimal digits: "$0F".
QString hexText(std::uint8_t value);
// Decimal without leading zeros: "0" .. "255".
QString decimalText(std::uint8_t value);
// Writes "1" or "0" at the given 1-based character positions of a pin
// string; the blanks between them are left as they are.
void putLevel(QString& pinString, int position, bool level);

// Replaces a field's text only when it differs, so that its change
// notification fires only on a real change.
void setTextIfDifferent(QLineEdit* field, const QString& text);

} // namespace voltarix::panel
