#include "pictures/wmf/wmf_object_selection.h"

#include "pictures/wmf/wmf_record_writer.h"

namespace voltarix::pictures {

void WmfObjectSelection::use(Kind kind, const std::string& key,
                             const std::function<std::uint16_t()>& create) {
    auto& current = current_[kind];
    if (current && current->key == key)
        return;
    const std::uint16_t index = create();
    writer_.selectObject(index);
    release(kind);
    current = Selected{key, index};
}

// An object the saved state holds selected is deleted after the restore.
void WmfObjectSelection::release(Kind kind) {
    const auto& current = current_[kind];
    if (!current)
        return;
    const bool pinned = saved_ && (*saved_)[kind] && (*saved_)[kind]->index == current->index;
    if (!pinned)
        writer_.deleteObject(current->index);
}

void WmfObjectSelection::saveState() {
    writer_.saveDc();
    saved_ = current_;
}

void WmfObjectSelection::restoreState() {
    if (!saved_)
        return;
    writer_.restoreDc();
    for (Kind kind : {Pen, Brush, Font}) {
        const auto& before = (*saved_)[kind];
        const auto& now = current_[kind];
        if (now && !(before && before->index == now->index))
            writer_.deleteObject(now->index);
    }
    current_ = *saved_;
    saved_.reset();
}

} // namespace voltarix::pictures
