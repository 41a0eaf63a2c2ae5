#include "diagram17/decoding/decoded_values_csv.h"

#include "diagram17/decoding/decoded_values_model.h"

#include <QSaveFile>
#include <QStringList>

namespace voltarix::diagram17::decoding {

namespace {
const QString lineEnd = QStringLiteral("\r\n");
}

QString DecodedValuesCsv::field(const QString& text) {
    const bool quoted = text.contains(QChar(',')) || text.contains(QChar('"')) ||
                        text.contains(QChar('\n')) || text.contains(QChar('\r'));
    if (!quoted)
        return text;
    QString doubled = text;
    doubled.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return QChar('"') + doubled + QChar('"');
}

QString DecodedValuesCsv::text(const DecodedValuesModel& model) {
    QString out;
    QStringList line;
    for (int c = 0; c < model.columnCount(); ++c)
        line << field(DecodedValuesModel::headerText(c));
    out += line.join(QChar(',')) + lineEnd;
    for (int r = 0; r < model.rowCount(); ++r) {
        line.clear();
        for (int c = 0; c < model.columnCount(); ++c)
            line << field(model.cellText(static_cast<std::size_t>(r), c));
        out += line.join(QChar(',')) + lineEnd;
    }
    return out;
}

void DecodedValuesCsv::write(const DecodedValuesModel& model, const QString& fileName) {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw CsvFileError(fileName);
    const QByteArray bytes = text(model).toUtf8();
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw CsvFileError(fileName);
}

} // namespace voltarix::diagram17::decoding
