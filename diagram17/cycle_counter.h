#pragma once

#include <QString>

#include <cstdint>
#include <functional>

namespace voltarix::diagram17 {

// The total cycle count that the field "Всего циклов" (Edit16) shows. The
// capture loop reads and writes it every cycle, far faster than a field can be
// repainted, so the value lives here and the field shows it at screen rate.
// Every write is a change of the text, and the listener (the cycle limit
// check) runs at once, before the writer goes on.
class CycleCounter {
public:
    static inline const QString designText = QStringLiteral("0000");

    std::int64_t value() const { return value_; }
    QString text() const { return designShown_ ? designText : QString::number(value_); }
    void write(std::int64_t value);
    // The counter after writes whose listener is known to have nothing to
    // do: several cycles counted at once leave what one write at a time
    // would, without calling the listener for each.
    void writeQuietly(std::int64_t value) {
        designShown_ = false;
        value_ = value;
    }
    void setChangeListener(std::function<void()> listener) { listener_ = std::move(listener); }

private:
    std::function<void()> listener_;
    std::int64_t value_ = 0;
    bool designShown_ = true;
};

} // namespace voltarix::diagram17
