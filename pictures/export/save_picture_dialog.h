#pragma once

#include "pictures/export/picture_format.h"
#include "pictures/export/picture_preview.h"

#include <QString>

#include <optional>

class QFileDialog;
class QWidget;

namespace voltarix::pictures {

// The save picture dialog SavePictureDialog1, shared by both save-as
// commands: filter and default extension of the chosen format, a preview of
// the selected file, the last chosen name offered again, and no question
// before a file is replaced.
class SavePictureDialog {
public:
    explicit SavePictureDialog(QWidget* owner);

    // Sets filter and default extension for the format and offers the last name.
    void prepare(PictureFormat format);
    // prepare, then runs the dialog: the chosen full file name (with the
    // default extension when none was typed), or nothing when cancelled.
    // Like the platform dialog it stands for, a confirmed dialog leaves the
    // process in the chosen file's folder.
    std::optional<QString> run(PictureFormat format);

    QFileDialog& dialog() { return *dialog_; }
    PicturePreview& preview() { return *preview_; }
    const QString& lastFileName() const { return lastFileName_; }

private:
    void useEntryPatterns(const QString& entry);

    QFileDialog* dialog_;
    PicturePreview* preview_;
    QString lastFileName_;
};

} // namespace voltarix::pictures
