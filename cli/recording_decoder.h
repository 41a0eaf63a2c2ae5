#pragma once

#include "decode/annotation.h"
#include "decode/annotation_store.h"
#include "decode/stack_setup.h"

#include <QString>
#include <QStringList>

#include <cstdio>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace voltarix::diagram17 {
class CycleTimes;
}

namespace voltarix::cli {

// The protocol decoders of a capture from the command line (--decode, in
// sigrok-cli's -P syntax): checked before the capture, so that a stack that
// cannot run is the caller's mistake found before anything is recorded, and
// run over the finished recording, each annotation of a stack's top decoder
// printed as a line of text, as sigrok-cli shows a stack by default.
class RecordingDecoder {
public:
    // Loads the installed decoders and checks every stack; the message that
    // refuses the first stack that cannot run, or nothing.
    std::optional<QString> prepare(const QStringList& stackTexts);

    // Decodes the whole recording, writes the lines to `out` and what failed
    // to `errors`; false when a stack failed. When `stopped` says so (Ctrl+C
    // while a long recording decodes) it ends early with the lines it has.
    bool decode(const diagram17::CycleTimes& times, std::FILE* out, std::FILE* errors,
                const std::function<bool()>& stopped = {}) const;

    // "1.000125-1.001167 uart rx-data: V": start and end in seconds from the
    // recording's first cycle, the decoder, its row and the annotation's text.
    static std::string lineOf(const decode::Annotation& annotation, const decode::StoreRow& row,
                              std::uint64_t originUs);

private:
    std::vector<decode::StackSetup> stacks_;
};

} // namespace voltarix::cli
