#pragma once

#include <QString>

#include <ostream>

// Lets a failed comparison show a QString as text, not as UTF-16 code units.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
