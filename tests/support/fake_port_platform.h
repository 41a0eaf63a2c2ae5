#pragma once

#include "port/port_platform.h"
#include "port/thread_last_error.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace voltarix::testkit {

// A port behind the fake device, with the quirks the probes must handle.
// Every field is a single atomic value, as a hardware register is a latch:
// a test may change one while a capture's sampler reads the port.
struct FakePort {
    // A control register stuck at a value, or none.
    static constexpr int notStuck = -1;

    std::atomic<std::uint8_t> data = 0;
    std::atomic<std::uint8_t> status = 0;
    std::atomic<std::uint8_t> control = 0;
    std::atomic<bool> dataReadsBack = true;     // false: data reads 0xFF whatever was written
    std::atomic<bool> directionBitWorks = true; // false: control bit 5 never reads back as set
    std::atomic<bool> floating = false;         // nothing there: every register reads 0xFF
    std::atomic<int> controlReadsAs = notStuck;
};

// The register accesses in the order they happened: the first `limit` since
// the last clear, so that a capture at full speed does not fill the memory.
// Requests of two threads may add at once; read it while no capture runs.
class AccessLog {
public:
    struct Access {
        bool write;
        std::uint8_t selector;
        std::uint8_t value;
        bool operator==(const Access&) const = default;
    };
    static constexpr std::size_t limit = std::size_t{1} << 21;

    AccessLog() : entries_(std::make_unique_for_overwrite<Access[]>(limit)) {}

    void add(const Access& access) {
        const std::size_t at = added_.fetch_add(1, std::memory_order_relaxed);
        if (at < limit)
            entries_[at] = access;
    }
    void clear() { added_.store(0, std::memory_order_relaxed); }

    std::size_t size() const {
        const std::size_t added = added_.load(std::memory_order_relaxed);
        return added < limit ? added : limit;
    }
    bool empty() const { return size() == 0; }
    const Access& operator[](std::size_t index) const { return entries_[index]; }
    const Access* begin() const { return entries_.get(); }
    const Access* end() const { return entries_.get() + size(); }
    bool operator==(const std::vector<Access>& other) const {
        return std::equal(begin(), end(), other.begin(), other.end());
    }

private:
    std::unique_ptr<Access[]> entries_;
    std::atomic<std::size_t> added_ = 0;
};

// A scriptable platform: three ports, a device whose opens succeed or fail as
// told, a driver service that can be watched, and a log of every register
// access in the order it happened. Requests may come from a capture's
// sampler and from the window's timers at once.
class FakePortPlatform : public port::PortPlatform {
public:
    using Access = AccessLog::Access;

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

    int opens = 0;
    int serviceStarts = 0;
    std::atomic<int> deviceRequests = 0;
    AccessLog log;
    std::atomic<bool> failRequests = false;

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
    void clearLog() { log.clear(); }
    // The addresses of the direct accesses, in order.
    std::vector<std::uint16_t> directAddresses() const;
    void clearDirectAddresses();

    // From the next read on, the n-th read of the register (n counting from
    // 0) answers script(n) in place of the port's own value: for a test that
    // must change what a capture sees at an exact cycle, however far the
    // sampler reads ahead of the loop. Set scripts while no capture runs;
    // a script runs inside the request of whichever thread reads.
    using ReadScript = std::function<std::uint8_t(std::uint64_t)>;
    void scriptReads(std::uint8_t selector, ReadScript script);

    std::uint8_t read(std::uint8_t selector);
    void write(std::uint8_t selector, std::uint8_t value);

private:
    static std::size_t index(std::uint8_t portCode);

    struct Script {
        ReadScript answer;
        std::atomic<std::uint64_t> reads = 0;
    };
    std::map<std::uint8_t, std::unique_ptr<Script>> scripts_;

    std::array<FakePort, 3> ports_{};
    port::ThreadLastError lastError_;
    mutable std::mutex directMutex_;
    std::vector<std::uint16_t> directAddresses_;
};

} // namespace voltarix::testkit
