#pragma once

#include "chart/point_label.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace voltarix::chart {

// The labels of one series as runs: a run either counts up by one per point from a number, or
// repeats one text. Cycle numbers make a single run for the whole recording, a time-of-day text
// one run per second.
class LabelRuns {
public:
    // Labels the next point (index == size()). Continuing the count of the last run, the case
    // of every capture cycle, stays inline.
    Q_ALWAYS_INLINE void append(const PointLabel& label) {
        if (label.isNumber() && counting_ && label.numberValue() == nextNumber_) {
            ++nextNumber_;
            ++size_;
            return;
        }
        if (!label.isNumber() && !counting_ && size_ > 0 && isLastText(label.textValue())) {
            ++size_;
            return;
        }
        appendSlow(label);
    }

    // Labels `count` more points as the last one continued: the next numbers after a number,
    // the same text again after a text. There must be a last point.
    void repeatLast(std::int64_t count) {
        if (counting_)
            nextNumber_ += count;
        size_ += count;
    }

    std::int64_t size() const { return size_; }
    QString at(std::int64_t index) const;
    std::size_t runCount() const { return runs_.size(); }
    // Bytes held; a few steps however many texts.
    std::size_t memoryBytes() const;

private:
    struct Run {
        std::int64_t first;
        std::int64_t number;
        std::int32_t text; // -1: a counting run
    };

    static std::size_t textBytes(const QString& text);
    // Asked for every point of a time text: kept inline, as a plain comparison of characters.
    bool isLastText(QStringView text) const {
        const QString& last = texts_.back();
        return last.size() == text.size() &&
               std::memcmp(last.constData(), text.data(),
                           static_cast<std::size_t>(text.size()) * sizeof(QChar)) == 0;
    }
    void appendSlow(const PointLabel& label);
    bool extendsLastRun(const PointLabel& label) const;
    const Run& runOf(std::int64_t index) const;

    std::vector<Run> runs_;
    std::vector<QString> texts_;
    std::size_t textBytes_ = 0;
    std::int64_t size_ = 0;
    std::int64_t nextNumber_ = 0;
    bool counting_ = false;
};

} // namespace voltarix::chart
