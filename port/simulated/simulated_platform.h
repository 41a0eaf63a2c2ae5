#pragma once

#include "port/port_platform.h"
#include "port/simulated/signal_source.h"
#include "port/thread_last_error.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>

namespace voltarix::port {

// A virtual EPP-capable port at 0x378 behind a device that always opens, so
// that the whole program can be used without a parallel port. Data and
// control registers hold what is written (direction bit included); the status
// lines follow the built-in SignalSource in real time unless a test holds them.
// The other two port addresses have nothing behind them: every read gives
// 0xFF, as a floating bus does.
//
// Requests may come from several threads at once (the sampler reads while
// the window writes); every register is a single atomic byte, as a hardware
// register is a single latch.
class SimulatedPlatform : public PortPlatform {
public:
    using Clock = std::function<std::chrono::nanoseconds()>;

    // The clock gives the time since the source started; by default the
    // steady clock counted from construction. The clock is called from every
    // thread that reads the status register.
    explicit SimulatedPlatform(Clock clock = {}, int baudRate = SignalSource::defaultBaudRate);

    bool isProtectedPlatform() override { return true; }
    int lastError() const override { return lastError_.get(); }
    void setLastError(int code) override { lastError_.set(code); }
    bool openDevice() override;
    void closeDevice() override { open_ = false; }
    void readRequest(std::span<AccessRecord> records) override;
    void writeRequest(std::span<const AccessRecord> records) override;
    bool startDriverService() override { return false; }
    void removeDriverService() override {}
    std::uint8_t directIn(std::uint16_t) override { return 0xFF; }
    void directOut(std::uint16_t, std::uint8_t) override {}

    // Input lines as a device would drive them; held values replace the
    // signal source until released.
    void holdStatus(std::uint8_t status) { heldStatus_ = status; }
    void holdDataInput(std::uint8_t data) { heldDataInput_ = data; }
    void releaseInputs();

    std::uint8_t dataRegister() const { return data_; }
    std::uint8_t controlRegister() const { return control_; }
    int baudRate() const { return baudRate_; }

private:
    // A held line value, or nothing held.
    static constexpr int notHeld = -1;

    std::uint8_t readRegister(std::uint8_t selector) const;
    void writeRegister(std::uint8_t selector, std::uint8_t value);
    bool dataLinesAreInputs() const;

    static constexpr std::uint8_t simulatedPortCode = 0x20;

    Clock clock_;
    int baudRate_;
    ThreadLastError lastError_;
    std::atomic<bool> open_ = false;
    std::atomic<std::uint8_t> data_ = 0;
    std::atomic<std::uint8_t> control_ = 0;
    std::atomic<int> heldStatus_ = notHeld;
    std::atomic<int> heldDataInput_ = notHeld;
};

} // namespace voltarix::port
