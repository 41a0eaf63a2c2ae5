#pragma once

#include <QString>

#include <stdexcept>

namespace voltarix::diagram17::decoding {

class DecodedValuesModel;

// A CSV file that could not be written; the message is the standard error box's.
class CsvFileError : public std::runtime_error {
public:
    explicit CsvFileError(const QString& fileName)
        : std::runtime_error(QStringLiteral("Cannot create file %1").arg(fileName).toStdString()) {}
};

// The table of decoded values as CSV (RFC 4180: comma separated, a header line, fields with
// a comma, quote or line break quoted, lines ended by CR LF), in UTF-8. Written to a temporary
// file that replaces the chosen one only once it is whole, so a failure leaves the old file.
class DecodedValuesCsv {
public:
    static QString field(const QString& text);
    static QString text(const DecodedValuesModel& model);
    static void write(const DecodedValuesModel& model, const QString& fileName);
};

} // namespace voltarix::diagram17::decoding
