#pragma once

#include "capture/sampler.h"
#include "cli/capture_options.h"

#include <QString>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>

namespace voltarix::port {
class PortPlatform;
class TLptPortConnection;
} // namespace voltarix::port

namespace voltarix::diagram17 {
class VcdFile;
}

namespace voltarix::cli {

class RecordingDecoder;

// A capture from the command line, without a window or a display: the file
// is made first, the port is opened as the window opens it, the capture runs
// (CaptureRun), and the recording is written as the window's export writes
// it; then the decoders of --decode read the recording and their annotations
// are printed. Messages go to the error stream as lines of text; a mistake of
// the caller's is one line and the usage, and nothing is written then.
//
// Exit status: 0 when the file was written (the length reached, or Ctrl+C);
// 1 for a bad argument, no port reached, a file that could not be written
// or a decoder that failed; memoryShortStatus when memory ran short and the file holds the
// recording up to there.
class CaptureCommand {
public:
    using PlatformSource = std::function<std::unique_ptr<port::PortPlatform>()>;

    static constexpr int memoryShortStatus = 2;
    static const QString noPortAnswers;

    // Annotations of --decode go to `out`, everything else to `errors`.
    CaptureCommand(const CaptureOptions& options, const QString& usage, PlatformSource platform,
                   std::FILE* errors = stderr, std::FILE* out = stdout);

    int run();

    // Tests give the sampler a clock of their own (Sampler::setClock).
    void setSamplerClock(capture::Sampler::Clock clock) { samplerClock_ = std::move(clock); }

private:
    int capture(port::TLptPortConnection& connection, std::uint8_t portCode,
                diagram17::VcdFile& file, const RecordingDecoder& decoder);
    // The port named, or the one the window's selector starts on.
    std::optional<std::uint8_t> choosePort(port::TLptPortConnection& connection, QString& error);
    int badArgument(const QString& line);
    void say(const QString& text);

    CaptureOptions options_;
    QString usage_;
    PlatformSource platform_;
    std::FILE* errors_;
    std::FILE* out_;
    capture::Sampler::Clock samplerClock_;
};

} // namespace voltarix::cli
