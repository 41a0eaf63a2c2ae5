#pragma once

#include <QString>

#include <optional>

class QFileDialog;
class QWidget;

namespace voltarix::diagram17 {

// The save dialog of the change dump export, SaveVcdDialog1: one filter for
// value change dumps, "vcd" added to a name typed without an extension, and
// the last chosen name offered again.
class VcdSaveDialog {
public:
    static const QString filter;
    static const QString defaultExtension;

    explicit VcdSaveDialog(QWidget* owner);

    // Sets the filter and the default extension and offers the last name.
    void prepare();
    // prepare, then runs the dialog: the chosen full file name, or nothing
    // when cancelled.
    std::optional<QString> run();

    QFileDialog& dialog() { return *dialog_; }
    const QString& lastFileName() const { return lastFileName_; }

private:
    QFileDialog* dialog_;
    QString lastFileName_;
};

} // namespace voltarix::diagram17
