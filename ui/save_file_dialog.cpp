#include "ui/save_file_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace voltarix::ui {

SaveFileDialog::SaveFileDialog(QWidget* owner, Kind kind)
    : dialog_(new QFileDialog(owner)), kind_(std::move(kind)) {
    dialog_->setObjectName(kind_.objectName);
    dialog_->setWindowTitle(kind_.title);
    // Qt's own dialog on every platform, so that it looks and behaves the
    // same as the picture save dialog beside it.
    dialog_->setOption(QFileDialog::DontUseNativeDialog);
    dialog_->setAcceptMode(QFileDialog::AcceptSave);
    dialog_->setFileMode(QFileDialog::AnyFile);
}

void SaveFileDialog::prepare() {
    dialog_->setNameFilters({kind_.filter});
    dialog_->selectNameFilter(kind_.filter);
    dialog_->setDefaultSuffix(kind_.defaultExtension);
    if (!lastFileName_.isEmpty()) {
        dialog_->setDirectory(QFileInfo(lastFileName_).absolutePath());
        dialog_->selectFile(QFileInfo(lastFileName_).fileName());
    } else {
        dialog_->setDirectory(QDir::currentPath());
    }
}

std::optional<QString> SaveFileDialog::run() {
    prepare();
    if (dialog_->exec() != QDialog::Accepted || dialog_->selectedFiles().isEmpty())
        return std::nullopt;
    lastFileName_ = dialog_->selectedFiles().first();
    return lastFileName_;
}

} // namespace voltarix::ui
