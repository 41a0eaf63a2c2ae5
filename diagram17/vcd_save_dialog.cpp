#include "diagram17/vcd_save_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace voltarix::diagram17 {

const QString VcdSaveDialog::filter = QStringLiteral("Value Change Dump (*.vcd)");
const QString VcdSaveDialog::defaultExtension = QStringLiteral("vcd");

VcdSaveDialog::VcdSaveDialog(QWidget* owner) : dialog_(new QFileDialog(owner)) {
    dialog_->setObjectName(QStringLiteral("SaveVcdDialog1"));
    dialog_->setWindowTitle(QStringLiteral("Экспорт в VCD"));
    // Qt's own dialog on every platform, so that it looks and behaves the
    // same as the picture save dialog beside it.
    dialog_->setOption(QFileDialog::DontUseNativeDialog);
    dialog_->setAcceptMode(QFileDialog::AcceptSave);
    dialog_->setFileMode(QFileDialog::AnyFile);
}

void VcdSaveDialog::prepare() {
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

std::optional<QString> VcdSaveDialog::run() {
    prepare();
    if (dialog_->exec() != QDialog::Accepted || dialog_->selectedFiles().isEmpty())
        return std::nullopt;
    lastFileName_ = dialog_->selectedFiles().first();
    return lastFileName_;
}

} // namespace voltarix::diagram17
