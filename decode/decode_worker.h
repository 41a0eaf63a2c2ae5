#pragma once

#include "decode/annotation_store.h"
#include "decode/decode_error.h"
#include "decode/decode_settings.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace voltarix::decode {

class DecoderCatalog;
class RecordingSource;
class StreamDecoder;

// Decodes a recording in a thread of its own while the recording grows: it follows the
// source's entries, turns them into the uniform stream (levels held from each entry to the
// next, at the chosen rate) and feeds every stack of the settings with it, a bounded chunk at
// a time, appending what the decoders give to annotations(). The thread runs at a lowered
// priority and sleeps while nothing new is published.
//
// While the recording grows, the stream stops at the last entry (its levels have no end yet);
// finishRecording() tells the worker that the recording is complete, and it then decodes up
// to and including the last entry's sample and goes idle (finished()).
//
// Each stack that fails (its settings rejected by the library, a Python exception, ...) is
// reported once through takeErrors() and stops; the others go on.
//
// Threads: every member but annotations()' readers belongs to the thread that owns the worker
// (the window's). start() and stop() wait for the decoding thread to stop first. annotations()
// may be read from any thread under AnnotationStore's rules.
class DecodeWorker {
public:
    explicit DecodeWorker(const DecoderCatalog& catalog);
    ~DecodeWorker();
    DecodeWorker(const DecodeWorker&) = delete;
    DecodeWorker& operator=(const DecodeWorker&) = delete;

    // Decodes `source` from its first entry with `settings`: the annotations, the errors not
    // taken yet and the rate of an earlier start are forgotten. Also the call for a new run
    // (a cleared recording) and for changed settings. `source` must stay valid until stop(),
    // the next start() or the worker's end. The stacks are not checked here: check them with
    // checkStack first; a stack that fails at start is reported as an error.
    void start(RecordingSource& source, DecodeSettings settings);
    // Stops decoding and forgets the annotations; the worker then holds no source.
    void stop();
    // The recording will not grow any more: decode its tail.
    void finishRecording();

    bool running() const;
    // After finishRecording(): every stack has decoded the whole recording (or stopped).
    bool finished() const;
    // Waits until finished() or the time is up; returns finished().
    bool waitFinished(std::chrono::milliseconds timeout) const;

    // The sample rate in use (Hz): the one set, or the derived one once the recording had
    // enough cycles; 0 before.
    std::uint64_t sampleRateHz() const;
    // Entries of the source decoded so far, and the cycle the stream has reached.
    std::size_t entriesDecoded() const;
    std::uint64_t cycleReached() const;

    const DecodeSettings& settings() const { return settings_; }
    const AnnotationStore& annotations() const { return store_; }
    // Faults since the last call, each once, oldest first.
    std::vector<DecodeError> takeErrors();
    // Whether stack `stack` still decodes (false once it failed).
    bool stackActive(int stack) const;

private:
    struct Shared;

    void run();
    void join();

    const DecoderCatalog& catalog_;
    DecodeSettings settings_;
    AnnotationStore store_;
    std::shared_ptr<Shared> shared_;
    std::unique_ptr<StreamDecoder> decoder_;
    std::thread thread_;
};

} // namespace voltarix::decode
