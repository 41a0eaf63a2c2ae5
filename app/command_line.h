#pragma once

#include "cli/capture_options.h"

#include <QString>
#include <QStringList>

namespace voltarix::app {

// The program's command line: --help and --version print and end the
// program, --simulate runs it on the built-in simulated port (its serial
// line at the rate --simulate-baud gives), --capture or --cycles records to a
// file without a window, and anything else is an error that prints the
// usage. The toolkit's own options are accepted. Needs an application object
// for the program's name.
struct CommandLine {
    enum class Action { Run, Capture, Exit };

    Action action = Action::Run;
    bool simulate = false;
    int simulateBaud = 1200;
    // What to record, for Capture; with the usage for a mistake found later
    // (a port that does not answer, a file that cannot be made).
    cli::CaptureOptions capture;
    QString usage;
    int exitCode = 0;
    QString output; // what to print before exiting
    bool toStandardError = false;

    static CommandLine parse(const QStringList& arguments);
    // Writes the output where it belongs; nothing when there is none.
    void print() const;
};

} // namespace voltarix::app
