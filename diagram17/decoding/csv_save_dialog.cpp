#include "diagram17/decoding/csv_save_dialog.h"

namespace voltarix::diagram17::decoding {

const QString CsvSaveDialog::filter = QStringLiteral("Таблица CSV (*.csv)");
const QString CsvSaveDialog::defaultExtension = QStringLiteral("csv");

CsvSaveDialog::CsvSaveDialog(QWidget* owner)
    : SaveFileDialog(owner, {QStringLiteral("SaveCsvDialog1"),
                             QStringLiteral("Сохранить таблицу декодированных значений"), filter,
                             defaultExtension}) {}

} // namespace voltarix::diagram17::decoding
