#include "diagram17/vcd_file.h"

#include "diagram17/device_stream_buffer.h"
#include "diagram17/vcd_writer.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>

#include <ostream>

namespace voltarix::diagram17 {

VcdFile::VcdFile(const QString& fileName) : fileName_(fileName) {}

// Without a commit the temporary file is removed.
VcdFile::~VcdFile() = default;

void VcdFile::open() {
    if (file_)
        return;
    // A folder of that name would only be found at the very end, when the
    // finished file cannot take its place.
    if (QFileInfo(fileName_).isDir())
        throw VcdFileError(fileName_);
    auto file = std::make_unique<QSaveFile>(fileName_);
    if (!file->open(QIODevice::WriteOnly))
        throw VcdFileError(fileName_);
    file_ = std::move(file);
}

void VcdFile::write(const CycleTimes& times, const QDateTime& when) {
    open();
    DeviceStreamBuffer buffer(*file_);
    std::ostream out(&buffer);
    VcdWriter::writeRecording(out, times, dateText(when).toStdString(),
                              versionText().toStdString());
    out.flush();
    const bool written = buffer.good() && out && file_->commit();
    file_.reset();
    if (!written)
        throw VcdFileError(fileName_);
}

QString VcdFile::versionText() {
    return (QCoreApplication::applicationName() + u' ' + QCoreApplication::applicationVersion())
        .trimmed();
}

// The form C's asctime uses, which the dump's own examples show.
QString VcdFile::dateText(const QDateTime& when) {
    return QLocale::c().toString(when, QStringLiteral("ddd MMM d hh:mm:ss yyyy"));
}

} // namespace voltarix::diagram17
