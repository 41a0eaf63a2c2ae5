#include "app/command_line.h"

#include "cli/capture_arguments.h"
#include "port/simulated/signal_source.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>

namespace voltarix::app {

namespace {

CommandLine exitWith(int code, const QString& output, bool toStandardError) {
    CommandLine result;
    result.action = CommandLine::Action::Exit;
    result.exitCode = code;
    result.output = output;
    result.toStandardError = toStandardError;
    return result;
}

// The toolkit's own options (-platform offscreen, -display :1 ...), which the
// application object takes out of the command line. They are known here too,
// so that the line can be checked before there is a display to open.
void acceptToolkitOptions(QCommandLineParser& parser) {
    const char* const withValue[] = {"platform",        "platformpluginpath",
                                     "platformtheme",   "plugin",
                                     "qwindowgeometry", "qwindowicon",
                                     "qwindowtitle",    "display",
                                     "geometry",        "style",
                                     "stylesheet",      "session",
                                     "fontengine",      "name",
                                     "title",           "visual"};
    const char* const flags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};
    for (const char* name : withValue) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : flags) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
}

QString description() {
    return QStringLiteral(
        "Логический анализатор и панель управления параллельного (LPT) порта.\n"
        "\n"
        "Запись без окна и без дисплея в файл VCD:\n"
        "  voltarix --capture ДЛИТЕЛЬНОСТЬ --output ФАЙЛ.vcd [--cycles N] [--port ПОРТ]\n"
        "           [--coherent] [--decode ДЕКОДЕРЫ] [--simulate [--simulate-baud N]]\n"
        "  voltarix --cycles N --output ФАЙЛ.vcd ...\n"
        "Например:\n"
        "  voltarix --simulate --simulate-baud 9600 --capture 2s --output uart.vcd\n"
        "  sigrok-cli -I vcd -i uart.vcd -P uart:rx=Pin15:baudrate=9600:format=ascii "
        "-A uart=rx-data\n"
        "  voltarix --simulate --simulate-baud 9600 --capture 2s --output uart.vcd "
        "--decode uart:rx=15:baudrate=9600\n"
        "Ctrl+C заканчивает запись раньше, и файл всё равно записывается.\n"
        "Код выхода: 0 — файл записан; 1 — ошибка в параметрах, порт недоступен, файл не\n"
        "записан или декодер отказал; 2 — память кончилась, файл содержит запись до этого "
        "места.");
}

} // namespace

CommandLine CommandLine::parse(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(description());
    // Single-dash words are whole options, as the toolkit writes its own.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const QCommandLineOption simulate(
        QStringLiteral("simulate"),
        QStringLiteral("Работать на встроенном имитаторе порта вместо настоящего."));
    parser.addOption(simulate);
    const QCommandLineOption simulateBaud(
        QStringLiteral("simulate-baud"),
        QStringLiteral("Скорость последовательной линии имитатора на выводе 15, бод "
                       "(от %1 до %2, по умолчанию %3).")
            .arg(port::SignalSource::minimumBaudRate)
            .arg(port::SignalSource::maximumBaudRate)
            .arg(port::SignalSource::defaultBaudRate),
        QStringLiteral("N"));
    parser.addOption(simulateBaud);
    const cli::CaptureArguments captureArguments;
    captureArguments.addTo(parser);
    acceptToolkitOptions(parser);

    if (!parser.parse(arguments))
        return exitWith(1, parser.errorText() + QStringLiteral("\n\n") + parser.helpText(), true);
    if (!parser.positionalArguments().isEmpty()) {
        return exitWith(1,
                        QStringLiteral("Unexpected argument '%1'.\n\n")
                                .arg(parser.positionalArguments().constFirst()) +
                            parser.helpText(),
                        true);
    }
    if (parser.isSet(help))
        return exitWith(0, parser.helpText(), false);
    if (parser.isSet(version)) {
        return exitWith(0,
                        QCoreApplication::applicationName() + u' ' +
                            QCoreApplication::applicationVersion() + u'\n',
                        false);
    }
    CommandLine result;
    result.simulate = parser.isSet(simulate);
    if (parser.isSet(simulateBaud)) {
        const QString text = parser.value(simulateBaud);
        bool isNumber = false;
        const int baud = text.toInt(&isNumber);
        if (!isNumber || baud < port::SignalSource::minimumBaudRate ||
            baud > port::SignalSource::maximumBaudRate) {
            return exitWith(
                1,
                QStringLiteral("Скорость линии имитатора должна быть целым числом от %1 до "
                               "%2, а не '%3'.\n\n")
                        .arg(port::SignalSource::minimumBaudRate)
                        .arg(port::SignalSource::maximumBaudRate)
                        .arg(text) +
                    parser.helpText(),
                true);
        }
        if (!result.simulate) {
            return exitWith(1,
                            QStringLiteral("--simulate-baud задаёт линию имитатора: только вместе "
                                           "с --simulate.\n\n") +
                                parser.helpText(),
                            true);
        }
        result.simulateBaud = baud;
    }
    const cli::CaptureArguments::Reading capture = captureArguments.read(parser);
    if (!capture.error.isEmpty())
        return exitWith(1, capture.error + QStringLiteral("\n\n") + parser.helpText(), true);
    if (capture.options) {
        result.action = Action::Capture;
        result.capture = *capture.options;
        result.usage = parser.helpText();
    }
    return result;
}

void CommandLine::print() const {
    if (output.isEmpty())
        return;
    std::FILE* stream = toStandardError ? stderr : stdout;
    std::fputs(output.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

} // namespace voltarix::app
