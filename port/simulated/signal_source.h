#pragma once

#include <chrono>
#include <cstdint>

namespace voltarix::port {

// The built-in signal source of the simulated port: what a small device on
// the connector would drive onto the five status lines, as a function of time.
//
//   Busy, nAck, PaperEnd, Select  a 4-bit binary counter stepping every 10 ms
//   nError                        a UART frame (8N1, 1200 baud unless chosen
//                                 otherwise) of the text "VOLTARIX", sent
//                                 once every second; idle high
//
// Status bits 0-2 are unused on real ports and read 0 here.
class SignalSource {
public:
    static constexpr std::chrono::milliseconds counterStep{10};
    static constexpr int defaultBaudRate = 1200;
    // The rates a user may choose for the serial line.
    static constexpr int minimumBaudRate = 300;
    static constexpr int maximumBaudRate = 1'000'000;
    static constexpr std::chrono::seconds framePeriod{1};

    // The status register value at the given time since the source started.
    // The value is what the register holds, so Busy (bit 7) is the inverse of
    // the connector level, as real hardware reports it.
    static std::uint8_t statusAt(std::chrono::nanoseconds sinceStart,
                                 int baudRate = defaultBaudRate);

    // The connector levels of the counter lines at that time (bit 0 = Select).
    static unsigned counterAt(std::chrono::nanoseconds sinceStart);
    // The serial line level (true = high) at that time.
    static bool serialLineAt(std::chrono::nanoseconds sinceStart, int baudRate = defaultBaudRate);
};

} // namespace voltarix::port
