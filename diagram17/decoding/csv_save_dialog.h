#pragma once

#include "ui/save_file_dialog.h"

namespace voltarix::diagram17::decoding {

// The save dialog of the table of decoded values, SaveCsvDialog1: CSV files, "csv" added to a
// name typed without an extension.
class CsvSaveDialog : public ui::SaveFileDialog {
public:
    static const QString filter;
    static const QString defaultExtension;

    explicit CsvSaveDialog(QWidget* owner);
};

} // namespace voltarix::diagram17::decoding
