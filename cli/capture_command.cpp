#include "cli/capture_command.h"

#include "app/port_opening.h"
#include "capture/port_level_reader.h"
#include "cli/capture_run.h"
#include "cli/progress_line.h"
#include "cli/recording_decoder.h"
#include "cli/run_waker.h"
#include "diagram17/cycle_times.h"
#include "diagram17/memory_guard.h"
#include "diagram17/run_control.h"
#include "diagram17/vcd_file.h"
#include "panel/pin_model.h"
#include "panel/port_selector.h"
#include "port/lpt_port_connection.h"
#include "port/port_platform.h"

#include <QDateTime>
#include <QStringList>

#include <algorithm>
#include <cstdlib>

namespace voltarix::cli {

const QString CaptureCommand::noPortAnswers =
    QStringLiteral("Ни один порт не ответил на проверку: запись с $278, как в окне.");

CaptureCommand::CaptureCommand(const CaptureOptions& options, const QString& usage,
                               PlatformSource platform, std::FILE* errors, std::FILE* out)
    : options_(options), usage_(usage), platform_(std::move(platform)), errors_(errors), out_(out) {
}

int CaptureCommand::run() {
    // Before the port: a file that cannot be made and decoders that cannot
    // run are the caller's mistakes, found before anything happens on it.
    diagram17::VcdFile file(options_.output);
    try {
        file.open();
    } catch (const diagram17::VcdFileError& error) {
        return badArgument(QString::fromStdString(error.what()));
    }
    RecordingDecoder decoder;
    if (const std::optional<QString> error = decoder.prepare(options_.decoders))
        return badArgument(*error);
    const auto connection = std::make_unique<port::TLptPortConnection>(platform_());
    if (!connection->IsReady()) {
        say(app::PortOpening::failureText(connection->lastError()));
        return EXIT_FAILURE;
    }
    QString portError;
    const std::optional<std::uint8_t> portCode = choosePort(*connection, portError);
    if (!portCode)
        return badArgument(portError);
    return capture(*connection, *portCode, file, decoder);
}

int CaptureCommand::capture(port::TLptPortConnection& connection, std::uint8_t portCode,
                            diagram17::VcdFile& file, const RecordingDecoder& decoder) {
    capture::PortLevelReader reader(connection);
    reader.setPortCode(portCode);
    reader.setCoherent(options_.coherent);
    capture::Sampler sampler(reader);
    if (samplerClock_)
        sampler.setClock(samplerClock_);
    diagram17::CycleTimes times;
    diagram17::MemoryGuard memory;
    RunWaker waker;
    ProgressLine progress(errors_, ProgressLine::isTerminal(errors_));
    CaptureRun run({sampler, times, memory, waker, progress},
                   {options_.durationNs, options_.cycles});
    const CaptureRun::Ending ending = run.run();
    if (ending == CaptureRun::Ending::NoSampler) {
        say(QStringLiteral("Система не дала потока для опроса порта: записи нет."));
        return EXIT_FAILURE;
    }
    if (ending == CaptureRun::Ending::MemoryShort)
        say(diagram17::RunControl::memoryShortText);
    try {
        file.write(times, QDateTime::currentDateTime());
    } catch (const diagram17::VcdFileError& error) {
        say(QString::fromStdString(error.what()));
        return EXIT_FAILURE;
    }
    // After the file: what was recorded is safe whatever the decoders do.
    if (!decoder.decode(times, out_, errors_, [&waker] { return waker.interrupted(); }))
        return EXIT_FAILURE;
    return ending == CaptureRun::Ending::MemoryShort ? memoryShortStatus : EXIT_SUCCESS;
}

std::optional<std::uint8_t> CaptureCommand::choosePort(port::TLptPortConnection& connection,
                                                       QString& error) {
    const std::vector<std::uint8_t> present = panel::presentPortCodes(connection);
    if (!options_.portCode) {
        if (!present.empty())
            return present.front();
        say(noPortAnswers);
        return port::PortCodeLpt3;
    }
    if (std::find(present.begin(), present.end(), *options_.portCode) != present.end())
        return options_.portCode;
    QStringList answering;
    for (const std::uint8_t code : present)
        answering << panel::PinModel::selectorTextOf(code);
    error = QStringLiteral("Порт %1 не отвечает; ")
                .arg(panel::PinModel::selectorTextOf(*options_.portCode)) +
            (answering.isEmpty() ? QStringLiteral("не отвечает ни один порт.")
                                 : QStringLiteral("отвечает: %1.").arg(answering.join(u", ")));
    return std::nullopt;
}

int CaptureCommand::badArgument(const QString& line) {
    say(line + u'\n' + u'\n' + usage_);
    return EXIT_FAILURE;
}

void CaptureCommand::say(const QString& text) {
    QString line = text;
    if (!line.endsWith(u'\n'))
        line += u'\n';
    std::fputs(line.toUtf8().constData(), errors_);
    std::fflush(errors_);
}

} // namespace voltarix::cli
