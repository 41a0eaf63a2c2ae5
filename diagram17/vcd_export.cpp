#include "diagram17/vcd_export.h"

#include "diagram17/cycle_times.h"
#include "ui/message_service.h"

namespace voltarix::diagram17 {

const QString VcdExport::noDataCaption = QStringLiteral("Информация");
const QString VcdExport::noDataText = QStringLiteral("Нет данных для экспорта");

VcdExport::VcdExport(const CycleTimes& times, ui::MessageService& messages, QWidget* owner)
    : times_(times), messages_(messages), owner_(owner), dialog_(owner),
      clock_([] { return QDateTime::currentDateTime(); }) {}

void VcdExport::exportRecording() {
    // Asked before the dialog: choosing a file for nothing would only annoy.
    if (times_.empty()) {
        messages_.showInformation(owner_, noDataCaption, noDataText);
        return;
    }
    if (const auto fileName = dialog_.run())
        writeFile(*fileName);
}

void VcdExport::writeFile(const QString& fileName) const {
    VcdFile(fileName).write(times_, clock_());
}

} // namespace voltarix::diagram17
