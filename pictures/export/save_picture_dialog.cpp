#include "pictures/export/save_picture_dialog.h"

#include "pictures/export/picture_save_filter.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>

namespace voltarix::pictures {

SavePictureDialog::SavePictureDialog(QWidget* owner)
    : dialog_(new QFileDialog(owner)), preview_(new PicturePreview(dialog_)) {
    dialog_->setObjectName(QStringLiteral("SavePictureDialog1"));
    // The preview needs Qt's own dialog; the platform's has no room for it.
    dialog_->setOption(QFileDialog::DontUseNativeDialog);
    dialog_->setOption(QFileDialog::DontConfirmOverwrite);
    dialog_->setAcceptMode(QFileDialog::AcceptSave);
    dialog_->setFileMode(QFileDialog::AnyFile);
    if (auto* grid = qobject_cast<QGridLayout*>(dialog_->layout()))
        grid->addWidget(preview_, 0, grid->columnCount(), grid->rowCount(), 1);
    QObject::connect(dialog_, &QFileDialog::currentChanged, preview_, &PicturePreview::showFile);
    QObject::connect(dialog_, &QFileDialog::filterSelected, dialog_,
                     [this](const QString& entry) { useEntryPatterns(entry); });
}

// Qt splits a filter's patterns at blanks only; the registry joins them with
// a semicolon, so the listing is given the patterns itself.
void SavePictureDialog::useEntryPatterns(const QString& entry) {
    if (auto* model = dialog_->findChild<QFileSystemModel*>())
        model->setNameFilters(PictureSaveFilter::patterns(entry));
}

void SavePictureDialog::prepare(PictureFormat format) {
    dialog_->setDefaultSuffix(PictureSaveFilter::defaultExtension(format));
    const QStringList entries = PictureSaveFilter::entries(format);
    dialog_->setNameFilters(entries);
    dialog_->selectNameFilter(entries.first());
    useEntryPatterns(entries.first());
    if (!lastFileName_.isEmpty()) {
        dialog_->setDirectory(QFileInfo(lastFileName_).absolutePath());
        dialog_->selectFile(QFileInfo(lastFileName_).fileName());
    } else {
        dialog_->setDirectory(QDir::currentPath());
    }
}

std::optional<QString> SavePictureDialog::run(PictureFormat format) {
    prepare(format);
    if (dialog_->exec() != QDialog::Accepted || dialog_->selectedFiles().isEmpty())
        return std::nullopt;
    lastFileName_ = dialog_->selectedFiles().first();
    QDir::setCurrent(QFileInfo(lastFileName_).absolutePath());
    return lastFileName_;
}

} // namespace voltarix::pictures
