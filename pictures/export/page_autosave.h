#pragma once

#include "pictures/export/picture_format.h"
#include "pictures/export/picture_format_choice.h"
#include "ui/tick_error_box.h"

#include <QObject>

#include <functional>

class QCheckBox;
class QLineEdit;

namespace voltarix::ui {
class HandlerErrors;
}

namespace voltarix::pictures {

// A diagram's new-page event: a change of its page number field's text. It
// beeps when the diagram has a ticked new-page beep box (the 17-bit diagram
// has one, also with autosave off), then, with autosave ticked, exports the
// page in the diagram's picture format. An export that fails shows its error
// box without waiting for it, so the writer of the field (a timer's tick)
// carries on; the next page tries again, and while the box is open a further
// failure adds no box over it.
class PageAutosave : public QObject {
    Q_OBJECT
public:
    using Export = std::function<void(PictureFormat)>;
    using Beep = std::function<void()>;

    PageAutosave(QCheckBox& autosave, PictureFormatChoice format, Export exportPage,
                 const ui::HandlerErrors& errors, QObject* parent = nullptr);

    void setNewPageBeep(QCheckBox* box, Beep beep);
    // Follows the field's text changes from now on.
    void watch(QLineEdit& pageField);

    // The field's change handler (Edit18Change, Edit19Change).
    void pageChanged();

private:
    QCheckBox& autosave_;
    PictureFormatChoice format_;
    Export export_;
    ui::TickErrorBox errorBox_;
    QCheckBox* beepBox_ = nullptr;
    Beep beep_;
};

} // namespace voltarix::pictures
