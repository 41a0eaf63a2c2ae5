#pragma once

#include <QObject>

namespace voltarix::panel {

// Discards typed characters that a register input field does not take.
// Keys that type nothing (arrows, Delete, function keys) are not filtered.
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
    Kind kind_;
};

} // namespace voltarix::panel
