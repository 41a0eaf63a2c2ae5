#pragma once

#include <QString>

#include <cstdint>
#include <cstdio>

namespace voltarix::cli {

// The line on standard error that shows how a capture from the command line
// goes: its time, its cycles and their rate, rewritten in place a few times a
// second. Only a terminal gets it; a script that takes standard error into a
// file or a pipe is left with nothing but what went wrong.
class ProgressLine {
public:
    static constexpr std::uint64_t intervalNs = 250'000'000;

    // Shows on `stream` when `shown`, else never.
    ProgressLine(std::FILE* stream, bool shown);

    static bool isTerminal(std::FILE* stream);
    // "Запись: 3,2 с, циклов 1234567, 385802 циклов/с"
    static QString text(std::uint64_t elapsedNs, std::uint64_t cycles);

    bool shown() const { return shown_; }
    // Rewrites the line when the last one is intervalNs old, or for the
    // first time.
    void update(std::uint64_t elapsedNs, std::uint64_t cycles);
    // The last figures, and the line is ended, if it was ever shown.
    void finish(std::uint64_t elapsedNs, std::uint64_t cycles);

private:
    void write(std::uint64_t elapsedNs, std::uint64_t cycles);

    std::FILE* stream_;
    bool shown_;
    bool written_ = false;
    std::uint64_t lastNs_ = 0;
};

} // namespace voltarix::cli
