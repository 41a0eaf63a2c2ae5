#pragma once

#include "pictures/export/picture_format.h"

#include <QTime>

#include <functional>

class QLineEdit;

namespace voltarix::chart {
class Chart;
}
namespace voltarix::ui {
class StatusBar;
}

namespace voltarix::pictures {

// What a page export needs of one diagram: its chart and its page number field.
struct DiagramPage {
    DiagramKind kind;
    const chart::Chart& chart;
    const QLineEdit& pageField;
};

// Writes a diagram's page under a name made of its page number and the time
// of day, into the process's working folder, and tells the diagram's status
// panel about it.
class PageExport {
public:
    using Clock = std::function<QTime()>;

    explicit PageExport(ui::StatusBar& statusBar, Clock clock = &QTime::currentTime);

    // The saving message, the file, then the label with the name the field
    // and the clock give when the file is written (they are read afresh, so
    // the label's second may be later than the name's). Raises
    // PictureFileError when the file cannot be written; the saving message
    // then stays.
    void exportPage(const DiagramPage& page, PictureFormat format) const;
    void setClock(Clock clock) { clock_ = std::move(clock); }

private:
    ui::StatusBar& statusBar_;
    Clock clock_;
};

} // namespace voltarix::pictures
