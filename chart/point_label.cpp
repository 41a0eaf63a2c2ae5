#include "chart/point_label.h"

namespace voltarix::chart {

namespace {

// Only texts that print back identically qualify: "0", "41", not "0041" or "+4".
bool parseCanonicalDecimal(QStringView text, std::int64_t& value) {
    if (text.isEmpty() || text.size() > 18)
        return false;
    if (text.size() > 1 && text.front() == u'0')
        return false;
    std::int64_t result = 0;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
        result = result * 10 + (c.unicode() - u'0');
    }
    value = result;
    return true;
}

} // namespace

PointLabel::PointLabel(const QString& text) : text_(text) {
    isNumber_ = parseCanonicalDecimal(text_, number_);
}

QString PointLabel::toString() const {
    return isNumber_ ? QString::number(number_) : text_.toString();
}

} // namespace voltarix::chart
