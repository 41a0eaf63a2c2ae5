#include "diagram17/vcd_save_dialog.h"

namespace voltarix::diagram17 {

const QString VcdSaveDialog::filter = QStringLiteral("Value Change Dump (*.vcd)");
const QString VcdSaveDialog::defaultExtension = QStringLiteral("vcd");

VcdSaveDialog::VcdSaveDialog(QWidget* owner)
    : SaveFileDialog(owner, {QStringLiteral("SaveVcdDialog1"), QStringLiteral("Экспорт в VCD"),
                             filter, defaultExtension}) {}

} // namespace voltarix::diagram17
