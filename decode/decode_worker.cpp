#include "decode/decode_worker.h"

#include "decode/recording_source.h"
#include "decode/sample_rate.h"
#include "decode/stream_decoder.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>

namespace voltarix::decode {

namespace {

// Entries read at a time: small enough that a stop is seen soon, large enough that the reads
// cost nothing beside the decoding.
constexpr std::size_t kBatchEntries = 4096;
// The derived rate looks at no more entries than this, however many cycles they span.
constexpr std::size_t kMaxRateEntries = std::size_t{1} << 16;
// How long the thread sleeps when nothing new is published.
constexpr std::chrono::milliseconds kIdleWait{10};

// From the entries of the first rateCycles cycles, at most kMaxRateEntries of them: the same
// entries however the recording was read, so that a decoding while the recording grows runs
// at the rate of the decoding of the finished one.
std::uint64_t derivedRate(const std::vector<SourceEntry>& head, std::uint64_t rateCycles) {
    std::size_t count = std::min(head.size(), kMaxRateEntries);
    while (count > 1 && head[count - 1].cycle - head.front().cycle > rateCycles)
        --count;
    return SampleRate::derive(std::span<const SourceEntry>(head.data(), count));
}

} // namespace

struct DecodeWorker::Shared {
    mutable std::mutex mutex;
    mutable std::condition_variable changed;
    bool stopRequested = false;
    bool finishRequested = false;
    bool finished = false;
    bool running = false;
    std::vector<DecodeError> errors;
    std::vector<bool> active;
    std::atomic<std::uint64_t> rateHz = 0;
    std::atomic<std::size_t> entriesDecoded = 0;
    std::atomic<std::uint64_t> cycleReached = 0;
    RecordingSource* source = nullptr;
};

DecodeWorker::DecodeWorker(const DecoderCatalog& catalog)
    : catalog_(catalog), shared_(std::make_shared<Shared>()) {}

DecodeWorker::~DecodeWorker() {
    join();
}

void DecodeWorker::join() {
    {
        std::lock_guard guard(shared_->mutex);
        shared_->stopRequested = true;
    }
    shared_->changed.notify_all();
    if (thread_.joinable())
        thread_.join();
    decoder_.reset();
}

void DecodeWorker::start(RecordingSource& source, DecodeSettings settings) {
    join();
    settings_ = std::move(settings);
    store_.setRows(StreamDecoder::rowsOf(catalog_, settings_));
    shared_ = std::make_shared<Shared>();
    shared_->source = &source;
    shared_->running = true;
    shared_->active.assign(settings_.stacks.size(), true);
    decoder_ = std::make_unique<StreamDecoder>(
        catalog_, source, settings_, store_, [shared = shared_.get()](DecodeError error) {
            std::lock_guard guard(shared->mutex);
            if (error.stack >= 0 && static_cast<std::size_t>(error.stack) < shared->active.size())
                shared->active[static_cast<std::size_t>(error.stack)] = false;
            shared->errors.push_back(std::move(error));
        });
    thread_ = std::thread([this] { run(); });
}

void DecodeWorker::stop() {
    join();
    store_.clear();
    std::lock_guard guard(shared_->mutex);
    shared_->running = false;
    shared_->source = nullptr;
}

void DecodeWorker::finishRecording() {
    {
        std::lock_guard guard(shared_->mutex);
        shared_->finishRequested = true;
    }
    shared_->changed.notify_all();
}

bool DecodeWorker::running() const {
    std::lock_guard guard(shared_->mutex);
    return shared_->running;
}

bool DecodeWorker::finished() const {
    std::lock_guard guard(shared_->mutex);
    return shared_->finished;
}

bool DecodeWorker::waitFinished(std::chrono::milliseconds timeout) const {
    std::unique_lock lock(shared_->mutex);
    return shared_->changed.wait_for(lock, timeout, [this] { return shared_->finished; });
}

std::uint64_t DecodeWorker::sampleRateHz() const {
    return shared_->rateHz.load(std::memory_order_acquire);
}

std::size_t DecodeWorker::entriesDecoded() const {
    return shared_->entriesDecoded.load(std::memory_order_acquire);
}

std::uint64_t DecodeWorker::cycleReached() const {
    return shared_->cycleReached.load(std::memory_order_acquire);
}

std::vector<DecodeError> DecodeWorker::takeErrors() {
    std::lock_guard guard(shared_->mutex);
    std::vector<DecodeError> taken;
    taken.swap(shared_->errors);
    return taken;
}

bool DecodeWorker::stackActive(int stack) const {
    std::lock_guard guard(shared_->mutex);
    return stack >= 0 && static_cast<std::size_t>(stack) < shared_->active.size() &&
           shared_->active[static_cast<std::size_t>(stack)];
}

// The thread: lowers itself, gathers the head of the recording until the rate is known, then
// follows the recording batch by batch until it is complete and read, or until stopped.
void DecodeWorker::run() {
    Shared& shared = *shared_;
    RecordingSource& source = *shared.source;
    StreamDecoder& decoder = *decoder_;
    // Linux keeps a nice value per thread; the library's decoder threads, started from this
    // one, take it over.
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), settings_.niceness);

    // Waits for more entries; false when stopped. `complete` tells whether the recording had
    // ended when the wait returned, for a caller that found nothing new.
    auto awaitMore = [&](std::size_t read, bool& complete) {
        std::unique_lock lock(shared.mutex);
        while (!shared.stopRequested) {
            complete = shared.finishRequested;
            if (source.size() > read || complete)
                return true;
            shared.changed.wait_for(lock, kIdleWait);
        }
        return false;
    };

    std::vector<SourceEntry> head;
    std::array<SourceEntry, kBatchEntries> batch;
    std::size_t read = 0;
    bool complete = false;

    // The rate: the one set, or the one of the head of the recording.
    while (!decoder.opened()) {
        if (!awaitMore(read, complete))
            return;
        const bool ended = complete;
        const std::size_t got = source.read(read, batch);
        head.insert(head.end(), batch.begin(), batch.begin() + static_cast<std::ptrdiff_t>(got));
        read += got;
        const bool enough =
            settings_.sampleRateHz != 0 || head.size() >= kMaxRateEntries ||
            (!head.empty() && head.back().cycle - head.front().cycle >= settings_.rateCycles);
        if (head.empty() && ended)
            break;
        if (enough || (ended && got == 0)) {
            const std::uint64_t rate = settings_.sampleRateHz != 0
                                           ? settings_.sampleRateHz
                                           : derivedRate(head, settings_.rateCycles);
            shared.rateHz.store(rate, std::memory_order_release);
            decoder.open(rate, head.front().timeUs);
            decoder.feed(head);
            decoder.flush();
            head = {};
        }
    }

    while (decoder.opened()) {
        if (!awaitMore(read, complete))
            return;
        const bool ended = complete;
        const std::size_t got = source.read(read, batch);
        read += got;
        decoder.feed(std::span<const SourceEntry>(batch.data(), got));
        if (got < batch.size())
            decoder.flush();
        shared.entriesDecoded.store(read, std::memory_order_release);
        shared.cycleReached.store(decoder.cycleReached(), std::memory_order_release);
        // Nothing left to decode for: every stack has stopped.
        if ((ended && got == 0) || decoder.activeStacks() == 0) {
            decoder.finish();
            break;
        }
    }
    {
        std::lock_guard guard(shared.mutex);
        shared.finished = true;
        shared.running = false;
    }
    shared.changed.notify_all();
}

} // namespace voltarix::decode
