#include "pictures/export/page_autosave.h"

#include <QCheckBox>
#include <QLineEdit>

namespace voltarix::pictures {

PageAutosave::PageAutosave(QCheckBox& autosave, PictureFormatChoice format, Export exportPage,
                           const ui::HandlerErrors& errors, QObject* parent)
    : QObject(parent), autosave_(autosave), format_(format), export_(std::move(exportPage)),
      errorBox_(errors, this) {}

void PageAutosave::setNewPageBeep(QCheckBox* box, Beep beep) {
    beepBox_ = box;
    beep_ = std::move(beep);
}

void PageAutosave::watch(QLineEdit& pageField) {
    connect(&pageField, &QLineEdit::textChanged, this, [this] { pageChanged(); });
}

void PageAutosave::pageChanged() {
    errorBox_.run([this] {
        if (beepBox_ && beepBox_->isChecked() && beep_)
            beep_();
        if (!autosave_.isChecked())
            return;
        if (const auto format = format_.selected())
            export_(*format);
    });
}

} // namespace voltarix::pictures
