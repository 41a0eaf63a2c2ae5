#include "cli/capture_arguments.h"

#include "cli/capture_duration.h"
#include "cli/port_name.h"

#include <QCommandLineParser>

namespace voltarix::cli {

namespace {

QCommandLineOption option(const char* name, const QString& description,
                          const QString& valueName = {}) {
    return QCommandLineOption(QString::fromLatin1(name), description, valueName);
}

std::optional<std::uint64_t> cycleCount(const QString& text) {
    bool isNumber = false;
    const qulonglong count = text.toULongLong(&isNumber);
    // toULongLong takes a sign and blanks; a count is written in digits only.
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    if (!isNumber || count == 0)
        return std::nullopt;
    return count;
}

} // namespace

CaptureArguments::CaptureArguments()
    : capture_(option("capture",
                      QStringLiteral("Записать линии порта без окна в течение этого времени "
                                     "(число с единицей %1: 10s, 500ms, 1.5min) и сохранить "
                                     "запись в файл VCD, как экспорт 17-битного графика.")
                          .arg(CaptureDuration::unitList),
                      QStringLiteral("ДЛИТЕЛЬНОСТЬ"))),
      cycles_(option("cycles",
                     QStringLiteral("Записать без окна N циклов; вместе с --capture запись "
                                    "кончается тем, что наступит раньше."),
                     QStringLiteral("N"))),
      output_(option("output", QStringLiteral("Файл записи без окна (VCD)."),
                     QStringLiteral("ФАЙЛ.vcd"))),
      port_(option("port",
                   QStringLiteral("Порт записи без окна: $3BC, $378 или $278 (в оболочке — в "
                                  "кавычках: '$378', или 0x378); по умолчанию первый "
                                  "отвечающий, как в окне."),
                   QStringLiteral("ПОРТ"))),
      coherent_(option("coherent", QStringLiteral("Один опрос регистра за цикл (3 чтения порта "
                                                  "вместо 17), как на вкладке \"Ресурсы\"."))),
      decode_(option("decode",
                     QStringLiteral("Декодировать запись, когда она кончится, и напечатать "
                                    "аннотации верхнего декодера строками: декодеры в синтаксисе "
                                    "-P sigrok-cli, выводы числом или именем провода, например "
                                    "uart:rx=15:baudrate=9600; можно несколько раз."),
                     QStringLiteral("ДЕКОДЕРЫ"))) {}

void CaptureArguments::addTo(QCommandLineParser& parser) const {
    for (const QCommandLineOption& each : {capture_, cycles_, output_, port_, coherent_, decode_})
        parser.addOption(each);
}

CaptureArguments::Reading CaptureArguments::read(const QCommandLineParser& parser) const {
    const bool capturing = parser.isSet(capture_) || parser.isSet(cycles_);
    if (!capturing) {
        if (parser.isSet(output_) || parser.isSet(port_) || parser.isSet(coherent_) ||
            parser.isSet(decode_)) {
            return {std::nullopt,
                    QStringLiteral("--output, --port, --coherent и --decode задают запись без "
                                   "окна: только вместе с --capture или --cycles.")};
        }
        return {};
    }
    CaptureOptions options;
    if (const std::optional<QString> error = readInto(parser, options))
        return {std::nullopt, *error};
    return {options, QString()};
}

std::optional<QString> CaptureArguments::readInto(const QCommandLineParser& parser,
                                                  CaptureOptions& options) const {
    if (parser.isSet(capture_)) {
        const QString text = parser.value(capture_);
        options.durationNs = CaptureDuration::parseNs(text);
        if (!options.durationNs) {
            return QStringLiteral("Длительность записи — число больше нуля с единицей (%1), "
                                  "например 10s или 500ms, а не '%2'.")
                .arg(CaptureDuration::unitList, text);
        }
    }
    if (parser.isSet(cycles_)) {
        const QString text = parser.value(cycles_);
        options.cycles = cycleCount(text);
        if (!options.cycles)
            return QStringLiteral("Число циклов — целое число больше нуля, а не '%1'.").arg(text);
    }
    if (parser.isSet(port_)) {
        const QString text = parser.value(port_);
        options.portCode = PortName::parse(text);
        if (!options.portCode) {
            return QStringLiteral("Неизвестный порт '%1': укажите $3BC, $378 или $278 (в оболочке "
                                  "— в кавычках: '$378').")
                .arg(text);
        }
    }
    options.output = parser.value(output_);
    if (options.output.isEmpty())
        return QStringLiteral("Для записи без окна нужен файл: --output ФАЙЛ.vcd.");
    options.coherent = parser.isSet(coherent_);
    options.decoders = parser.values(decode_);
    return std::nullopt;
}

} // namespace voltarix::cli
