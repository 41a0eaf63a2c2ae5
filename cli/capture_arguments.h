#pragma once

#include "cli/capture_options.h"

#include <QCommandLineOption>
#include <QString>

#include <optional>

class QCommandLineParser;

namespace voltarix::cli {

// The options of a capture from the command line: they are added to the
// program's parser, so that --help shows them with the rest, and read back
// from it once it has parsed the line.
class CaptureArguments {
public:
    // What the line asked: no capture at all, a capture, or a mistake in
    // one line of text (without the usage).
    struct Reading {
        std::optional<CaptureOptions> options;
        QString error;
    };

    CaptureArguments();

    void addTo(QCommandLineParser& parser) const;
    Reading read(const QCommandLineParser& parser) const;

private:
    // The mistake in the options of a capture, or nothing.
    std::optional<QString> readInto(const QCommandLineParser& parser,
                                    CaptureOptions& options) const;

    QCommandLineOption capture_;
    QCommandLineOption cycles_;
    QCommandLineOption output_;
    QCommandLineOption port_;
    QCommandLineOption coherent_;
    QCommandLineOption decode_;
};

} // namespace voltarix::cli
