#include "diagram17/decoding/recording_source.h"

#include "diagram17/cycle_times.h"
#include "diagram17/vcd_writer.h"

#include <algorithm>
#include <array>

namespace voltarix::diagram17 {

namespace {

// Trace-order levels to pin-order, a byte of traces at a time.
struct PinTables {
    std::array<std::array<std::uint32_t, 256>, 3> byByte{};

    PinTables() {
        for (std::size_t byte = 0; byte < byByte.size(); ++byte) {
            for (std::uint32_t value = 0; value < 256; ++value) {
                std::uint32_t pins = 0;
                for (int bit = 0; bit < 8; ++bit) {
                    const int trace = static_cast<int>(byte) * 8 + bit;
                    if (trace < VcdWriter::lineCount && ((value >> bit) & 1u))
                        pins |= 1u << (VcdWriter::pinOfTrace(trace) - 1);
                }
                byByte[byte][value] = pins;
            }
        }
    }
};

const PinTables& pinTables() {
    static const PinTables tables;
    return tables;
}

decode::SourceEntry sourceEntry(const CycleTimeEntry& entry) {
    return {entry.cycle, entry.timeUs, CycleTimesSource::pinsOfLevels(entry.levels)};
}

} // namespace

CycleTimesSource::CycleTimesSource(const CycleTimes& times) : times_(times) {}

std::uint32_t CycleTimesSource::pinsOfLevels(std::uint32_t levels) {
    const PinTables& tables = pinTables();
    return tables.byByte[0][levels & 0xFFu] | tables.byByte[1][(levels >> 8) & 0xFFu] |
           tables.byByte[2][(levels >> 16) & 0xFFu];
}

std::size_t CycleTimesSource::size() const {
    return times_.size();
}

// The reader goes on from where it stopped; a read elsewhere (a look back) takes a reader of
// its own, so that the next read in order still costs one code an entry.
std::size_t CycleTimesSource::read(std::size_t from, std::span<decode::SourceEntry> out) {
    if (!reader_)
        reader_.emplace(times_, from);
    std::optional<CycleTimesReader> elsewhere;
    CycleTimesReader* reader = &*reader_;
    if (reader_->position() != from)
        reader = &elsewhere.emplace(times_, from);
    std::size_t written = 0;
    reader->read([&](const CycleTimeEntry& entry) { out[written++] = sourceEntry(entry); },
                 out.size());
    return written;
}

std::size_t CycleTimesSource::lastAtOrBefore(std::uint64_t timeUs) {
    // Entries first, then blocks: the blocks then hold every entry counted.
    const std::size_t entries = times_.size();
    const std::size_t blocks = times_.blockCount();
    if (entries == 0 || times_.block(0).first.timeUs > timeUs)
        return npos;
    // The last block that starts with a published entry at or before the time.
    std::size_t low = 0;
    std::size_t high = blocks;
    while (high - low > 1) {
        const std::size_t middle = low + (high - low) / 2;
        const CycleTimes::Block& block = times_.block(middle);
        if (block.firstEntry < entries && block.first.timeUs <= timeUs)
            low = middle;
        else
            high = middle;
    }
    const std::size_t first = times_.block(low).firstEntry;
    const std::size_t end =
        low + 1 < blocks ? std::min(entries, times_.block(low + 1).firstEntry) : entries;
    std::size_t found = first;
    std::size_t position = first;
    CycleTimesReader reader(times_, first);
    reader.read(
        [&](const CycleTimeEntry& entry) {
            if (entry.timeUs <= timeUs)
                found = position;
            ++position;
        },
        end - first);
    return found;
}

} // namespace voltarix::diagram17
