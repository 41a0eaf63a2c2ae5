#pragma once

#include <QString>

#include <memory>

namespace voltarix::port {
class PortPlatform;
}

namespace voltarix::app {

// How the program reaches the port, the same for the window and for a
// capture from the command line: the built-in simulated port or the system's
// own providers, and what it says when no port can be reached at all.
class PortOpening {
public:
    // The simulated port with its serial line at `simulateBaud`, or the
    // system's providers.
    static std::unique_ptr<port::PortPlatform> platform(bool simulate, int simulateBaud);
    // The start-up failure message for the platform's last error.
    static QString failureText(int errorCode);
};

} // namespace voltarix::app
