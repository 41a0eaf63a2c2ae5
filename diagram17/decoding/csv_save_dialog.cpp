#include "diagram17/decoding/csv_save_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace voltarix::diagram17::decoding {

const QString CsvSaveDialog::filter = QStringLiteral("Таблица CSV (*.csv)");
const QString CsvSaveDialog::defaultExtension = QStringLiteral("csv");

CsvSaveDialog::CsvSaveDialog(QWidget* owner) : dialog_(new QFileDialog(owner)) {
    dialog_->setObjectName(QStringLiteral("SaveCsvDialog1"));
    dialog_->setWindowTitle(QStringLiteral("Сохранить таблицу декодированных значений"));
    // Qt's own dialog, as the other save dialogs of the program; it asks before it replaces.
    dialog_->setOption(QFileDialog::DontUseNativeDialog);
    dialog_->setAcceptMode(QFileDialog::AcceptSave);
    dialog_->setFileMode(QFileDialog::AnyFile);
}

void CsvSaveDialog::prepare() {
    dialog_->setNameFilters({filter});
    dialog_->selectNameFilter(filter);
    dialog_->setDefaultSuffix(defaultExtension);
    if (!lastFileName_.isEmpty()) {
        dialog_->setDirectory(QFileInfo(lastFileName_).absolutePath());
        dialog_->selectFile(QFileInfo(lastFileName_).fileName());
    } else {
        dialog_->setDirectory(QDir::currentPath());
    }
}

std::optional<QString> CsvSaveDialog::run() {
    prepare();
    if (dialog_->exec() != QDialog::Accepted || dialog_->selectedFiles().isEmpty())
        return std::nullopt;
    lastFileName_ = dialog_->selectedFiles().first();
    return lastFileName_;
}

} // namespace voltarix::diagram17::decoding
