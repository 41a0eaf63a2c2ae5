#pragma once

#include <QString>

#include <optional>

class QFileDialog;
class QWidget;

namespace voltarix::diagram17::decoding {

// The save dialog of the table of decoded values, SaveCsvDialog1: CSV files, "csv" added to a
// name typed without an extension, the last chosen name offered again, and a question before
// an existing file is replaced.
class CsvSaveDialog {
public:
    static const QString filter;
    static const QString defaultExtension;

    explicit CsvSaveDialog(QWidget* owner);

    void prepare();
    // prepare, then runs the dialog: the chosen file, or nothing when cancelled.
    std::optional<QString> run();

    QFileDialog& dialog() { return *dialog_; }

private:
    QFileDialog* dialog_;
    QString lastFileName_;
};

} // namespace voltarix::diagram17::decoding
