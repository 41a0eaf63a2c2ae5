#include "panel/key_filters.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

#include <optional>

namespace voltarix::panel {

namespace {

// The character a key press types, as the field would receive it. Backspace
// and Escape type control characters although Qt reports no text for some
// of them on some platforms.
std::optional<char16_t> typedCharacter(const QKeyEvent& key) {
    // Delete edits the field but types no character, although X11 hands it
    // over with the text "\x7f".
    if (key.key() == Qt::Key_Delete)
        return std::nullopt;
    if (key.key() == Qt::Key_Backspace)
        return u'\b';
    if (key.key() == Qt::Key_Escape)
        return char16_t{27};
    if (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter)
        return u'\r';
    // Ctrl+letter types the control character of that letter (Ctrl+V is 22),
    // which is how the clipboard keys reach an edit field.
    if ((key.modifiers() & Qt::ControlModifier) && key.key() >= Qt::Key_A && key.key() <= Qt::Key_Z)
        return static_cast<char16_t>(key.key() - Qt::Key_A + 1);
    const QString text = key.text();
    if (text.size() != 1)
        return std::nullopt;
    return text.front().unicode();
}

} // namespace

RegisterKeyFilter::RegisterKeyFilter(Kind kind, QObject* parent) : QObject(parent), kind_(kind) {}

bool RegisterKeyFilter::accepts(Kind kind, char16_t c) {
    if (kind == Kind::Decimal)
        return c >= 33 && c <= 64;
    return c < 32 || (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') ||
           (c >= u'a' && c <= u'f');
}

bool RegisterKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::InputMethod) {
        dropRefusedCharacters(*static_cast<QInputMethodEvent*>(event));
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    // Tab moves the focus and is not a character for the field.
    if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
        return false;
    const std::optional<char16_t> typed = typedCharacter(*key);
    if (!typed)
        return false;
    return !accepts(kind_, *typed);
}

void RegisterKeyFilter::dropRefusedCharacters(QInputMethodEvent& input) const {
    const QString committed = input.commitString();
    QString kept;
    for (const QChar c : committed) {
        if (accepts(kind_, c.unicode()))
            kept += c;
    }
    if (kept != committed)
        input.setCommitString(kept, input.replacementStart(), input.replacementLength());
}

} // namespace voltarix::panel
