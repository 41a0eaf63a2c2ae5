#pragma once

#include "chart/level_seen.h"
#include "chart/point_label.h"

#include <QRgb>
#include <QString>

#include <cstdint>
#include <vector>

namespace voltarix::chart::testing {

// The plainest store of level rows there is, as the yardstick of the real one: every row's
// levels, label text and colours written out in full.
class PlainLevelRows {
public:
    explicit PlainLevelRows(int traceCount)
        : traceCount_(traceCount),
          mask_(traceCount >= 32 ? ~std::uint32_t{0} : (std::uint32_t{1} << traceCount) - 1) {}

    void append(std::uint32_t levels, const PointLabel& label, const QRgb* colours) {
        levels_.push_back(levels & mask_);
        labels_.push_back(label.toString());
        colours_.insert(colours_.end(), colours, colours + traceCount_);
    }

    std::int64_t size() const { return static_cast<std::int64_t>(levels_.size()); }
    std::uint32_t levels(std::int64_t row) const { return levels_[index(row)]; }
    const QString& label(std::int64_t row) const { return labels_[index(row)]; }
    QRgb colour(int trace, std::int64_t row) const {
        return colours_[index(row) * static_cast<std::size_t>(traceCount_) +
                        static_cast<std::size_t>(trace)];
    }
    LevelSeen seen(std::int64_t first, std::int64_t last) const {
        LevelSeen result;
        for (std::int64_t row = std::max<std::int64_t>(first, 0); row < std::min(last, size());
             ++row)
            result.add(levels(row));
        return result;
    }

private:
    static std::size_t index(std::int64_t row) { return static_cast<std::size_t>(row); }

    std::vector<std::uint32_t> levels_;
    std::vector<QString> labels_;
    std::vector<QRgb> colours_;
    int traceCount_;
    std::uint32_t mask_;
};

} // namespace voltarix::chart::testing
