#pragma once

#include "diagram17/vcd_file.h"
#include "diagram17/vcd_save_dialog.h"

#include <QDateTime>
#include <QString>

#include <functional>

class QWidget;

namespace voltarix::ui {
class MessageService;
}

namespace voltarix::diagram17 {

class CycleTimes;

// The export of the whole 17-bit recording as a value change dump, for wave
// viewers and protocol decoders: the save dialog, then the file (VcdFile).
class VcdExport {
public:
    using Clock = std::function<QDateTime()>;

    static const QString noDataCaption;
    static const QString noDataText;

    VcdExport(const CycleTimes& times, ui::MessageService& messages, QWidget* owner);

    // The operation of SpeedButton36 and its menu item: an empty recording
    // gives an information box; otherwise the dialog, and the file. A file
    // that cannot be written raises VcdFileError for the standard error box.
    void exportRecording();
    // Writes the whole recording to the file; raises VcdFileError.
    void writeFile(const QString& fileName) const;

    VcdSaveDialog& saveDialog() { return dialog_; }
    // Tests give a clock of their own for the $date line.
    void setClock(Clock clock) { clock_ = std::move(clock); }

private:
    const CycleTimes& times_;
    ui::MessageService& messages_;
    QWidget* owner_;
    VcdSaveDialog dialog_;
    Clock clock_;
};

} // namespace voltarix::diagram17
