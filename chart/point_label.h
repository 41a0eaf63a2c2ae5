#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>

namespace voltarix::chart {

// The label given with a point: a number (shown in decimal) or a text. Numbers that rise by one
// per point, as cycle numbers do, cost no storage at all.
class PointLabel {
public:
    // A text that is a plain decimal number without leading zeros becomes a number label, so
    // that callers passing "41" get the compact form too.
    // The label refers to the caller's text; it is a parameter type, copied into the series'
    // storage at append, so it must not outlive that text.
    PointLabel(const QString& text);

    static PointLabel number(std::int64_t value) { return PointLabel(value); }
    static PointLabel text(QStringView text) { return PointLabel(text); }

    bool isNumber() const { return isNumber_; }
    std::int64_t numberValue() const { return number_; }
    QStringView textValue() const { return text_; }
    QString toString() const;

private:
    explicit PointLabel(std::int64_t value) : number_(value), isNumber_(true) {}
    explicit PointLabel(QStringView text) : text_(text) {}

    QStringView text_;
    std::int64_t number_ = 0;
    bool isNumber_ = false;
};

} // namespace voltarix::chart
