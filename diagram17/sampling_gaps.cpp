#include "diagram17/sampling_gaps.h"

namespace voltarix::diagram17 {

QString SamplingGaps::text() const {
    return QStringLiteral("Пропуски: %1").arg(count_);
}

QString SamplingGaps::hintText() const {
    const QString what = QStringLiteral("Паузы опроса длиннее заданной более чем на 50 мкс: ");
    if (count_ == 0)
        return what + QStringLiteral("нет");
    return what + QStringLiteral("%1, наибольшая %2. За это время линии не читались")
                      .arg(count_)
                      .arg(durationText(longestNs_));
}

namespace {

// A value in tenths of its unit, with a decimal comma as Russian writes it.
QString tenthsText(std::uint64_t ns, std::uint64_t unitNs, const QString& unit) {
    const std::uint64_t tenths = (ns + unitNs / 20) / (unitNs / 10);
    return QStringLiteral("%1,%2 %3").arg(tenths / 10).arg(tenths % 10).arg(unit);
}

} // namespace

// Microseconds below a millisecond, then milliseconds below a second, then
// seconds.
QString SamplingGaps::durationText(std::uint64_t ns) {
    if (ns < 1'000'000)
        return QStringLiteral("%1 мкс").arg(ns / 1000);
    if (ns < 999'950'000)
        return tenthsText(ns, 1'000'000, QStringLiteral("мс"));
    return tenthsText(ns, 1'000'000'000, QStringLiteral("с"));
}

} // namespace voltarix::diagram17
