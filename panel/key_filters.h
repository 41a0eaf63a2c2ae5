#pragma once

#include <QObject>

class QInputMethodEvent;

namespace voltarix::panel {

// Discards typed characters that a register input field does not take,
// whether they come from a key or from an input method. Keys that type
// nothing (arrows, Delete, function keys) are not filtered.
class RegisterKeyFilter : public QObject {
    Q_OBJECT
public:
    enum class Kind {
        // Control characters and hexadecimal digits pass.
        Hexadecimal,
        // Only character codes 33 to 64 pass; Backspace and the other
        // control characters do not.
        Decimal,
    };

    RegisterKeyFilter(Kind kind, QObject* parent);

    static bool accepts(Kind kind, char16_t character);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void dropRefusedCharacters(QInputMethodEvent& input) const;

    Kind kind_;
};

} // namespace voltarix::panel
