#pragma once

#include "chart/point_label.h"

#include <QRgb>
#include <QString>

#include <array>
#include <cmath>
#include <cstdint>
#include <random>

namespace voltarix::chart::testing {

// Recordings of 17 level traces as a capture makes them, but with everything that can vary
// varying at random: runs of equal levels from 1 to 10^5 rows (and stretches, some longer
// than 10^5, where every row differs), levels that come back to the previous ones, cycle-number
// labels and time texts switching into each other mid-recording, and colours changing for one trace
// or all.
class RandomRecording {
public:
    static constexpr int kTraces = 17;

    explicit RandomRecording(unsigned seed) : rng_(seed) { colours_.fill(0xff00ffff); }

    // Calls sink(levels, label, colours) for each of `rows` rows.
    template <typename Sink> void play(std::int64_t rows, Sink sink) {
        while (row_ < rows) {
            nextRun();
            const std::int64_t end = std::min(rows, row_ + runLength_);
            for (; row_ < end; ++row_) {
                if (dense_)
                    levels_ = static_cast<std::uint32_t>(rng_()) & kMask;
                sink(levels_, label(), colours_.data());
            }
        }
    }

private:
    static constexpr std::uint32_t kMask = (1u << kTraces) - 1;

    int pick(int below) { return std::uniform_int_distribution<int>(0, below - 1)(rng_); }

    void nextRun() {
        dense_ = pick(12) == 0;
        const double logLength = std::uniform_real_distribution<double>(0, std::log(1e5))(rng_);
        // Some dense stretches outlast whole pages of the store (65,536 rows).
        const std::int64_t denseLength = pick(3) == 0 ? 1 + pick(150000) : 1 + pick(3000);
        runLength_ = dense_ ? denseLength : static_cast<std::int64_t>(std::exp(logLength));
        const int kind = pick(10);
        if (kind < 2)
            ; // the same levels again: the run merges into the one before
        else if (kind < 6)
            levels_ ^= 1u << pick(kTraces);
        else
            levels_ = static_cast<std::uint32_t>(rng_()) & kMask;
        if (pick(15) == 0)
            timeTexts_ = !timeTexts_;
        if (pick(25) == 0)
            textRows_ = 1 + pick(50000);
        if (pick(12) == 0)
            recolour();
    }

    void recolour() {
        static constexpr std::array<QRgb, 4> palette = {0xff00ffff, 0xffffff00, 0xff00ff00,
                                                        0xffff0000};
        if (pick(4) == 0) {
            colours_.fill(palette[static_cast<std::size_t>(pick(4))]);
            return;
        }
        colours_[static_cast<std::size_t>(pick(kTraces))] =
            palette[static_cast<std::size_t>(pick(4))];
    }

    // A time text changes every textRows_ rows, as the label clock's text does once a second.
    PointLabel label() {
        if (!timeTexts_)
            return PointLabel::number(row_ + 1);
        const std::int64_t second = row_ / textRows_;
        if (second != textSecond_) {
            textSecond_ = second;
            text_ = QStringLiteral("%1:%2:%3")
                        .arg(second / 3600 % 24, 2, 10, QChar(u'0'))
                        .arg(second / 60 % 60, 2, 10, QChar(u'0'))
                        .arg(second % 60, 2, 10, QChar(u'0'));
        }
        return PointLabel::text(text_);
    }

    std::mt19937_64 rng_;
    std::array<QRgb, kTraces> colours_ = {};
    QString text_;
    std::int64_t row_ = 0;
    std::int64_t runLength_ = 1;
    std::int64_t textRows_ = 3000;
    std::int64_t textSecond_ = -1;
    std::uint32_t levels_ = 0;
    bool dense_ = false;
    bool timeTexts_ = false;
};

} // namespace voltarix::chart::testing
