#include "diagram17/vcd_export.h"

#include "diagram17/cycle_times.h"
#include "diagram17/device_stream_buffer.h"
#include "diagram17/vcd_writer.h"
#include "ui/message_service.h"

#include <QCoreApplication>
#include <QLocale>
#include <QSaveFile>

#include <ostream>

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
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        throw VcdFileError(fileName);
    DeviceStreamBuffer buffer(file);
    std::ostream out(&buffer);
    VcdWriter::writeRecording(out, times_, dateText(clock_()).toStdString(),
                              versionText().toStdString());
    out.flush();
    // Without commit the temporary file is removed and an older file of
    // that name stays as it was.
    if (!buffer.good() || !out || !file.commit())
        throw VcdFileError(fileName);
}

QString VcdExport::versionText() {
    return (QCoreApplication::applicationName() + u' ' + QCoreApplication::applicationVersion())
        .trimmed();
}

// The form C's asctime uses, which the dump's own examples show.
QString VcdExport::dateText(const QDateTime& when) {
    return QLocale::c().toString(when, QStringLiteral("ddd MMM d hh:mm:ss yyyy"));
}

} // namespace voltarix::diagram17
