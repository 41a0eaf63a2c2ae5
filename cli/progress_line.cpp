#include "cli/progress_line.h"

#include <unistd.h>

#include <algorithm>
#include <limits>

namespace voltarix::cli {

ProgressLine::ProgressLine(std::FILE* stream, bool shown) : stream_(stream), shown_(shown) {}

bool ProgressLine::isTerminal(std::FILE* stream) {
    return isatty(fileno(stream)) == 1;
}

QString ProgressLine::text(std::uint64_t elapsedNs, std::uint64_t cycles) {
    const std::uint64_t tenths = elapsedNs / 100'000'000;
    std::uint64_t rate = 0;
    if (elapsedNs != 0) {
        const unsigned __int128 exact =
            static_cast<unsigned __int128>(cycles) * 1'000'000'000 / elapsedNs;
        rate = static_cast<std::uint64_t>(
            std::min<unsigned __int128>(exact, std::numeric_limits<std::uint64_t>::max()));
    }
    return QStringLiteral("Запись: %1,%2 с, циклов %3, %4 циклов/с")
        .arg(tenths / 10)
        .arg(tenths % 10)
        .arg(cycles)
        .arg(rate);
}

void ProgressLine::update(std::uint64_t elapsedNs, std::uint64_t cycles) {
    if (!shown_ || (written_ && elapsedNs - lastNs_ < intervalNs))
        return;
    write(elapsedNs, cycles);
}

void ProgressLine::finish(std::uint64_t elapsedNs, std::uint64_t cycles) {
    if (!shown_)
        return;
    write(elapsedNs, cycles);
    std::fputc('\n', stream_);
    std::fflush(stream_);
    written_ = false;
}

// Back to the start of the line, the new text, and whatever an older, longer
// text left after it cleared.
void ProgressLine::write(std::uint64_t elapsedNs, std::uint64_t cycles) {
    std::fprintf(stream_, "\r%s\x1b[K", text(elapsedNs, cycles).toUtf8().constData());
    std::fflush(stream_);
    written_ = true;
    lastNs_ = elapsedNs;
}

} // namespace voltarix::cli
