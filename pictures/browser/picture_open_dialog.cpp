#include "pictures/browser/picture_open_dialog.h"

#include "pictures/browser/matching_files_proxy.h"
#include "pictures/loaders/picture_error.h"
#include "pictures/loaders/picture_format_registry.h"
#include "pictures/loaders/picture_loader.h"

#include <QFileInfo>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTreeView>
#include <QVBoxLayout>

namespace voltarix::pictures {

namespace {

constexpr int kPreviewSide = 200;
constexpr QSize kDialogSize(900, 480);

} // namespace

OpenPictureDialog::OpenPictureDialog(QWidget* parent) : QFileDialog(parent) {
    setObjectName(QStringLiteral("OpenPictureDialog1"));
    // The preview needs Qt's own dialog; the filter's patterns are shown in
    // the description itself, as "All (*.jpg;*.jpeg;...)".
    setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails);
    setFileMode(QFileDialog::ExistingFile);
    setAcceptMode(QFileDialog::AcceptOpen);
    setNameFilters(PictureFormatRegistry::qtNameFilters(PictureFormatRegistry().filterEntries()));
    openTypedNamesOutsideTheFilter();
    addPreviewPane();
    // Wide enough for the whole "All (...)" filter text, and a file list
    // whose columns show their texts in full.
    resize(kDialogSize);
    if (auto* files = findChild<QTreeView*>(QStringLiteral("treeView")))
        files->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    connect(this, &QFileDialog::currentChanged, this, &OpenPictureDialog::showPreviewOf);
    // A name typed in full previews too, not only one picked in the list.
    if (auto* nameEdit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
        connect(nameEdit, &QLineEdit::textChanged, this,
                [this](const QString& name) { showPreviewOf(directory().absoluteFilePath(name)); });
}

// Qt's dialog drops the files its filter does not match from its model, and
// then keeps Open disabled for such a name typed in full. The model keeps
// them (disabled) instead, and a proxy hides them from the lists.
void OpenPictureDialog::openTypedNamesOutsideTheFilter() {
    auto* files = findChild<QFileSystemModel*>();
    if (files == nullptr)
        return;
    files->setNameFilterDisables(true);
    auto* matching = new MatchingFilesProxy(this);
    setProxyModel(matching);
    connect(this, &QFileDialog::filterSelected, matching, &MatchingFilesProxy::invalidateFilterNow);
}

void OpenPictureDialog::addPreviewPane() {
    auto* pane = new QWidget(this);
    pane->setObjectName(QStringLiteral("PicturePreview"));
    auto* column = new QVBoxLayout(pane);
    previewLabel_ = new QLabel(pane);
    previewLabel_->setFixedSize(kPreviewSide, kPreviewSide);
    previewLabel_->setAlignment(Qt::AlignCenter);
    previewLabel_->setFrameShape(QFrame::Panel);
    previewLabel_->setFrameShadow(QFrame::Sunken);
    previewSizeLabel_ = new QLabel(pane);
    previewSizeLabel_->setAlignment(Qt::AlignCenter);
    column->addWidget(previewLabel_);
    column->addWidget(previewSizeLabel_);
    column->addStretch();
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->addWidget(pane, 0, grid->columnCount(), grid->rowCount(), 1);
}

// A file that is no readable picture shows an empty preview; its error
// appears only when it is really opened.
void OpenPictureDialog::showPreviewOf(const QString& path) {
    preview_ = QImage();
    if (QFileInfo(path).isFile()) {
        try {
            preview_ = loadPictureFile(path);
        } catch (const PictureError&) {
        }
    }
    if (preview_.isNull()) {
        previewLabel_->clear();
        previewSizeLabel_->clear();
        return;
    }
    QImage shown = preview_;
    if (shown.width() > kPreviewSide || shown.height() > kPreviewSide)
        shown =
            shown.scaled(kPreviewSide, kPreviewSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    previewLabel_->setPixmap(QPixmap::fromImage(shown));
    previewSizeLabel_->setText(
        QStringLiteral("%1 x %2").arg(preview_.width()).arg(preview_.height()));
}

} // namespace voltarix::pictures
