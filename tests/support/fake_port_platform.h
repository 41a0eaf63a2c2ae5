#pragma once

#include "port/port_platform.h"
#include "port/thread_last_error.h"

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace voltarix::testkit {

// A port behind the fake device, with the quirks the probes must handle.
struct FakePort {
    std::uint8_t data = 0;
    std::uint8_t status = 0;
    std::uint8_t control = 0;
    bool dataReadsBack = true;                  // false: data reads 0xFF whatever was written
    bool directionBitWorks = true;              // false: control bit 5 never reads back as set
    bool floating = false;                      // nothing there: every register reads 0xFF
    std::optional<std::uint8_t> controlReadsAs; // a control register stuck at a value
};

// A scriptable platform: three ports, a device whose opens succeed or fail as
// told, a driver service that can be watched, and a log of every register
// access in the order it happened.
class FakePortPlatform : public port::PortPlatform {
public:
    struct Access {
        bool write;
        std::uint8_t selector;
        std::uint8_t value;
        bool operator==(const Access&) const = default;
    };

    // What each openDevice() call answers, in order; the last answer repeats.
    std::deque<bool> openResults{true};
    int openFailureError = 2; // ENOENT, the missing device
    bool protectedPlatform = true;
    bool serviceObtained = true;
    bool opensAfterServiceStart = false; // the started service makes the next open succeed

    // What happens at destruction is read after the platform is gone, so
    // these counts live apart from it.
    struct Teardown {
        int closes = 0;
        int serviceRemovals = 0;
    };
    std::shared_ptr<Teardown> teardown = std::make_shared<Teardown>();

    static constexpr std::size_t kLogLimit = std::size_t{1} << 21;

    int opens = 0;
    int serviceStarts = 0;
    int deviceRequests = 0;
    std::vector<Access> log;
    std::vector<std::uint16_t> directAddresses;
    bool failRequests = false;

    FakePort& port(std::uint8_t portCode) { return ports_[index(portCode)]; }

    bool isProtectedPlatform() override { return protectedPlatform; }
    int lastError() const override { return lastError_.get(); }
    void setLastError(int code) override { lastError_.set(code); }
    bool openDevice() override;
    void closeDevice() override { ++teardown->closes; }
    void readRequest(std::span<port::AccessRecord> records) override;
    void writeRequest(std::span<const port::AccessRecord> records) override;
    bool startDriverService() override;
    void removeDriverService() override { ++teardown->serviceRemovals; }
    std::uint8_t directIn(std::uint16_t address) override;
    void directOut(std::uint16_t address, std::uint8_t value) override;

    // Register accesses only (not opens), counted from the last clearLog().
    void clearLog() {
        std::lock_guard lock(mutex_);
        log.clear();
    }
    // Runs `change` while no request is under way.
    template <typename Change> void locked(Change change) {
        std::lock_guard lock(mutex_);
        change();
    }
    std::uint8_t read(std::uint8_t selector);
    void write(std::uint8_t selector, std::uint8_t value);

private:
    static std::size_t index(std::uint8_t portCode);

    void logAccess(const Access& access);

    std::array<FakePort, 3> ports_{};
    port::ThreadLastError lastError_;
    std::mutex mutex_;
};

} // namespace voltarix::testkit
