#pragma once

#include "ui/save_file_dialog.h"

namespace voltarix::diagram17 {

// The save dialog of the change dump export, SaveVcdDialog1: value change
// dumps, "vcd" added to a name typed without an extension.
class VcdSaveDialog : public ui::SaveFileDialog {
public:
    static const QString filter;
    static const QString defaultExtension;

    explicit VcdSaveDialog(QWidget* owner);
};

} // namespace voltarix::diagram17
