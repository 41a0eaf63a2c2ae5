#include "decode/stream_decoder.h"

#include "decode/annotation_store.h"
#include "decode/decoder_catalog.h"
#include "decode/valid_stack.h"

#include <algorithm>
#include <deque>

namespace voltarix::decode {

struct StreamDecoder::Stack {
    int index = 0;
    std::vector<const DecoderInfo*> layers;
    // The store row of each layer's first row.
    std::vector<std::size_t> firstRow;
    std::unique_ptr<StackSession> session;
    // Given by the library, not placed yet.
    std::deque<RawAnnotation> waiting;
};

StreamDecoder::StreamDecoder(const DecoderCatalog& catalog, RecordingSource& source,
                             const DecodeSettings& settings, AnnotationStore& store,
                             ErrorSink errors)
    : catalog_(catalog), source_(source), settings_(settings), store_(store),
      errors_(std::move(errors)) {}

StreamDecoder::~StreamDecoder() = default;

std::vector<StoreRow> StreamDecoder::rowsOf(const DecoderCatalog& catalog,
                                            const DecodeSettings& settings) {
    std::vector<StoreRow> rows;
    for (std::size_t s = 0; s < settings.stacks.size(); ++s) {
        const StackSetup& stack = settings.stacks[s];
        for (std::size_t l = 0; l < stack.layers.size(); ++l) {
            const DecoderInfo* decoder = catalog.find(stack.layers[l].decoderId);
            if (!decoder)
                continue;
            for (std::size_t r = 0; r < decoder->annotationRows.size(); ++r) {
                const AnnotationRowInfo& row = decoder->annotationRows[r];
                rows.push_back({static_cast<int>(s), static_cast<int>(l), decoder->id,
                                decoder->name, static_cast<int>(r), row.id, row.description});
            }
        }
    }
    return rows;
}

void StreamDecoder::open(std::uint64_t rateHz, std::uint64_t originUs) {
    const SampleClock clock(originUs, rateHz);
    stream_.emplace(clock, [this](std::uint64_t start, const std::uint8_t* samples,
                                  std::size_t count) { send(start, samples, count); });
    cycles_.emplace(source_, clock);

    // Rows are laid out as rowsOf() lays them out.
    std::size_t nextRow = 0;
    for (std::size_t s = 0; s < settings_.stacks.size(); ++s) {
        auto stack = std::make_unique<Stack>();
        stack->index = static_cast<int>(s);
        for (const LayerSetup& layer : settings_.stacks[s].layers) {
            const DecoderInfo* decoder = catalog_.find(layer.decoderId);
            stack->layers.push_back(decoder);
            stack->firstRow.push_back(nextRow);
            if (decoder)
                nextRow += decoder->annotationRows.size();
        }
        Result<ValidStack> valid = ValidStack::from(catalog_, settings_.stacks[s]);
        if (!valid) {
            fail(*stack, valid.error());
        } else {
            Result<std::unique_ptr<StackSession>> session = StackSession::open(*valid, rateHz);
            if (session)
                stack->session = std::move(session).value();
            else
                fail(*stack, session.error());
        }
        stacks_.push_back(std::move(stack));
    }
}

void StreamDecoder::feed(std::span<const SourceEntry> entries) {
    for (const SourceEntry& entry : entries) {
        const std::uint64_t start = stream_->add(entry);
        cycles_->add(entry, start);
    }
}

void StreamDecoder::flush() {
    stream_->flush();
}

void StreamDecoder::finish() {
    stream_->flush();
    for (auto& stack : stacks_)
        place(*stack, true);
}

void StreamDecoder::send(std::uint64_t start, const std::uint8_t* samples, std::size_t count) {
    for (auto& stack : stacks_) {
        if (!stack->session)
            continue;
        Result<> sent = stack->session->send(start, samples, count);
        for (RawAnnotation& raw : stack->session->takeAnnotations())
            stack->waiting.push_back(std::move(raw));
        // What was given before a fault still counts.
        place(*stack, !sent);
        if (!sent)
            fail(*stack, sent.error());
    }
    sent_ = start + count;
    cycleReached_ = cycles_->cycleAt(sent_ - 1);
}

void StreamDecoder::place(Stack& stack, bool all) {
    const SampleClock& clock = stream_->clock();
    const std::uint64_t settled = cycles_->settledEnd();
    while (!stack.waiting.empty()) {
        const RawAnnotation& next = stack.waiting.front();
        if (!all && std::max(next.startSample, next.endSample) >= settled)
            break;
        RawAnnotation raw = std::move(stack.waiting.front());
        stack.waiting.pop_front();
        const std::size_t layer = static_cast<std::size_t>(raw.layer);
        const DecoderInfo* decoder = layer < stack.layers.size() ? stack.layers[layer] : nullptr;
        if (!decoder || decoder->annotationRows.empty())
            continue;
        Annotation annotation;
        annotation.startSample = raw.startSample;
        annotation.endSample = std::max(raw.endSample, raw.startSample);
        annotation.firstCycle = cycles_->cycleAt(annotation.startSample);
        annotation.lastCycle =
            std::max(annotation.firstCycle, annotation.endSample > annotation.startSample
                                                ? cycles_->cycleAt(annotation.endSample - 1)
                                                : annotation.firstCycle);
        annotation.startUs = clock.timeOf(annotation.startSample);
        annotation.endUs = clock.timeOf(annotation.endSample);
        annotation.stack = stack.index;
        annotation.layer = raw.layer;
        annotation.annotationClass = raw.annotationClass;
        annotation.decoderRow = static_cast<int>(decoder->rowOfClass(raw.annotationClass));
        annotation.storeRow =
            stack.firstRow[layer] + static_cast<std::size_t>(annotation.decoderRow);
        annotation.texts = std::move(raw.texts);
        store_.append(std::move(annotation));
    }
}

void StreamDecoder::fail(Stack& stack, std::string message) {
    stack.session.reset();
    const StackSetup& setup = settings_.stacks[static_cast<std::size_t>(stack.index)];
    errors_({stack.index, setup.layers.empty() ? std::string() : setup.layers.front().decoderId,
             std::move(message)});
}

bool StreamDecoder::stackActive(std::size_t stack) const {
    return stack < stacks_.size() && stacks_[stack]->session != nullptr;
}

std::size_t StreamDecoder::activeStacks() const {
    return static_cast<std::size_t>(
        std::count_if(stacks_.begin(), stacks_.end(),
                      [](const auto& stack) { return stack->session != nullptr; }));
}

} // namespace voltarix::decode
