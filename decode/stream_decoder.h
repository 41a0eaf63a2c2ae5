#pragma once

#include "decode/cycle_map.h"
#include "decode/decode_error.h"
#include "decode/decode_settings.h"
#include "decode/recording_source.h"
#include "decode/stack_session.h"
#include "decode/uniform_stream.h"

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace voltarix::decode {

class AnnotationStore;
class DecoderCatalog;
struct StoreRow;

// The decoding of one recording with one set of stacks, on the calling thread: entries in,
// uniform stream to every stack still going, annotations placed on the recording and appended
// to the store. DecodeWorker runs it in its thread; anything else may run it directly.
class StreamDecoder {
public:
    using ErrorSink = std::function<void(DecodeError)>;

    StreamDecoder(const DecoderCatalog& catalog, RecordingSource& source,
                  const DecodeSettings& settings, AnnotationStore& store, ErrorSink errors);
    ~StreamDecoder();

    // The store's rows for these settings: every row of every known decoder of every stack,
    // stack by stack, bottom layer first, in the decoder's order.
    static std::vector<StoreRow> rowsOf(const DecoderCatalog& catalog,
                                        const DecodeSettings& settings);

    // Creates the stacks' sessions at `rateHz`, the stream starting at the time of the
    // recording's first entry. A stack that fails is reported and stays off.
    void open(std::uint64_t rateHz, std::uint64_t originUs);
    bool opened() const { return stream_.has_value(); }

    // Feeds entries, oldest first, continuing where the last call stopped.
    void feed(std::span<const SourceEntry> entries);
    // Sends what the stream has gathered and places the annotations given whose cycles are
    // settled (see CycleMap::settledEnd); the others wait for later entries.
    void flush();
    // The recording is complete: sends what is gathered and places every annotation.
    void finish();

    bool stackActive(std::size_t stack) const;
    std::size_t activeStacks() const;
    // Samples sent to the stacks.
    std::uint64_t samplesSent() const { return sent_; }
    std::uint64_t cycleReached() const { return cycleReached_; }

private:
    struct Stack;

    void send(std::uint64_t start, const std::uint8_t* samples, std::size_t count);
    // Places the stack's waiting annotations in their order, up to the first that is not
    // settled, or all of them.
    void place(Stack& stack, bool all);
    void fail(Stack& stack, std::string message);

    const DecoderCatalog& catalog_;
    RecordingSource& source_;
    const DecodeSettings& settings_;
    AnnotationStore& store_;
    ErrorSink errors_;
    std::vector<std::unique_ptr<Stack>> stacks_;
    std::optional<UniformStream> stream_;
    std::optional<CycleMap> cycles_;
    std::uint64_t sent_ = 0;
    std::uint64_t cycleReached_ = 0;
};

} // namespace voltarix::decode
