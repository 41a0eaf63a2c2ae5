#pragma once

#include "chart/level_rows.h"
#include "chart/point_store.h"
#include "chart/value_range.h"

#include <QRgb>
#include <QString>

#include <cstdint>

namespace voltarix::chart {

// One trace of a LevelRows group as a series sees it: point i is `high` where bit `bit` of row
// i is set, `low` otherwise; label and colour come from the row store too.
class LevelTrace {
public:
    LevelTrace(const LevelRows& rows, int bit, double low, double high);

    std::int64_t count() const { return rows_->size(); }
    double y(std::int64_t index) const { return yOf(rows_->levels(index)); }
    QString label(std::int64_t index) const { return rows_->label(index); }
    QRgb colour(std::int64_t index) const { return rows_->colour(bit_, index); }
    ValueRange range(std::int64_t first, std::int64_t last) const;
    ValueRange bounds() const;
    // This trace's y in a row of `levels`, and the ys it takes among rows that show `seen`.
    double yOf(std::uint32_t levels) const { return (levels & mask_) ? high_ : low_; }
    ValueRange rangeOf(const LevelSeen& seen) const;
    const LevelRows& rows() const { return *rows_; }
    double low() const { return low_; }
    double high() const { return high_; }

    // The same points in storage of their own, for a series that leaves its group.
    PointStore toPointStore() const;

private:
    const LevelRows* rows_;
    std::uint32_t mask_;
    int bit_;
    double low_;
    double high_;
};

} // namespace voltarix::chart
