#include "cli/recording_decoder.h"

#include "decode/decode_worker.h"
#include "decode/decoder_catalog.h"
#include "decode/stack_check.h"
#include "decode/stack_text.h"
#include "diagram17/cycle_times.h"
#include "diagram17/decoding/recording_source.h"

#include <chrono>
#include <cinttypes>

namespace voltarix::cli {

namespace {

QString fromLibrary(const std::string& text) {
    return QString::fromStdString(text);
}

std::string seconds(double us) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6f", us / 1e6);
    return text;
}

} // namespace

std::optional<QString> RecordingDecoder::prepare(const QStringList& stackTexts) {
    stacks_.clear();
    if (stackTexts.isEmpty())
        return std::nullopt;
    const decode::Result<const decode::DecoderCatalog*> catalog = decode::DecoderCatalog::load();
    if (!catalog)
        return fromLibrary(catalog.error());
    for (const QString& text : stackTexts) {
        const decode::Result<decode::StackSetup> stack =
            decode::parseStackText(**catalog, text.toStdString());
        if (!stack)
            return QStringLiteral("--decode %1: %2").arg(text, fromLibrary(stack.error()));
        if (const decode::Result<> checked = decode::checkStack(**catalog, *stack); !checked)
            return QStringLiteral("--decode %1: %2").arg(text, fromLibrary(checked.error()));
        stacks_.push_back(*stack);
    }
    return std::nullopt;
}

bool RecordingDecoder::decode(const diagram17::CycleTimes& times, std::FILE* out, std::FILE* errors,
                              const std::function<bool()>& stopped) const {
    if (stacks_.empty() || times.empty())
        return true;
    const decode::DecoderCatalog& catalog = *decode::DecoderCatalog::loaded();
    diagram17::CycleTimesSource source(times);
    decode::DecodeWorker worker(catalog);
    decode::DecodeSettings settings;
    settings.stacks = stacks_;
    worker.start(source, settings);
    worker.finishRecording();
    while (!worker.waitFinished(std::chrono::milliseconds(100))) {
        if (stopped && stopped())
            break;
    }
    std::uint64_t originUs = 0;
    times.forEach([&originUs, first = true](const diagram17::CycleTimes::Entry& entry) mutable {
        if (first)
            originUs = entry.timeUs;
        first = false;
    });
    const decode::AnnotationStore& store = worker.annotations();
    for (std::size_t i = 0; i < store.size(); ++i) {
        const decode::Annotation& annotation = store[i];
        const int top =
            static_cast<int>(stacks_[static_cast<std::size_t>(annotation.stack)].layers.size()) - 1;
        if (annotation.layer != top)
            continue;
        std::fputs((lineOf(annotation, store.row(annotation.storeRow), originUs) + '\n').c_str(),
                   out);
    }
    std::fflush(out);
    const std::vector<decode::DecodeError> faults = worker.takeErrors();
    for (const decode::DecodeError& fault : faults)
        std::fprintf(errors, "%s\n", fault.message.c_str());
    std::fflush(errors);
    return faults.empty();
}

std::string RecordingDecoder::lineOf(const decode::Annotation& annotation,
                                     const decode::StoreRow& row, std::uint64_t originUs) {
    const double origin = static_cast<double>(originUs);
    std::string line = seconds(annotation.startUs - origin) + '-' +
                       seconds(annotation.endUs - origin) + ' ' + row.decoderId;
    if (!row.rowId.empty())
        line += ' ' + row.rowId;
    return line + ": " + annotation.text();
}

} // namespace voltarix::cli
