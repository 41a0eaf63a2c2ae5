#pragma once

#include <QFileDialog>

class QLabel;

namespace voltarix::pictures {

// The picture open dialog (OpenPictureDialog1): every registered picture
// format in its filter list, and beside the file list a preview of the
// picture selected in it, drawn by the program's own loaders. Like the
// platform's dialog, it opens any existing file whose name is typed in full,
// whether or not the filter lists it.
class OpenPictureDialog : public QFileDialog {
    Q_OBJECT
public:
    explicit OpenPictureDialog(QWidget* parent = nullptr);

    // What the preview shows now: empty when no readable picture is selected.
    const QImage& previewImage() const { return preview_; }
    void showPreviewOf(const QString& path);

private:
    void openTypedNamesOutsideTheFilter();
    void addPreviewPane();

    QLabel* previewLabel_ = nullptr;
    QLabel* previewSizeLabel_ = nullptr;
    QImage preview_;
};

} // namespace voltarix::pictures
