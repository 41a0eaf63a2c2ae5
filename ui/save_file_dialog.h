#pragma once

#include <QString>

#include <optional>

class QFileDialog;
class QWidget;

namespace voltarix::ui {

// A save dialog for files of one kind: Qt's own dialog (it asks before it
// replaces a file), one filter, the extension added to a name typed without
// one, and the last chosen name offered again.
class SaveFileDialog {
public:
    struct Kind {
        QString objectName;
        QString title;
        QString filter;
        QString defaultExtension;
    };

    SaveFileDialog(QWidget* owner, Kind kind);

    // Sets the filter and the default extension and offers the last name.
    void prepare();
    // prepare, then runs the dialog: the chosen full file name, or nothing
    // when cancelled.
    std::optional<QString> run();

    QFileDialog& dialog() { return *dialog_; }
    const QString& lastFileName() const { return lastFileName_; }

private:
    QFileDialog* dialog_;
    Kind kind_;
    QString lastFileName_;
};

} // namespace voltarix::ui
