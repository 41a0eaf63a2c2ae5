#include "support/fake_port_platform.h"

#include "port/port_codes.h"

namespace voltarix::testkit {

std::size_t FakePortPlatform::index(std::uint8_t portCode) {
    switch (portCode >> 4) {
    case 1:
        return 0;
    case 2:
        return 1;
    default:
        return 2;
    }
}

bool FakePortPlatform::openDevice() {
    ++opens;
    const bool ok = openResults.front();
    if (openResults.size() > 1)
        openResults.pop_front();
    if (!ok)
        lastError_.set(openFailureError);
    return ok;
}

bool FakePortPlatform::startDriverService() {
    ++serviceStarts;
    if (serviceObtained && opensAfterServiceStart)
        openResults = {true};
    return serviceObtained;
}

void FakePortPlatform::scriptReads(std::uint8_t selector, ReadScript script) {
    auto entry = std::make_unique<Script>();
    entry->answer = std::move(script);
    scripts_[selector] = std::move(entry);
}

std::uint8_t FakePortPlatform::read(std::uint8_t selector) {
    const FakePort& p = ports_[index(selector)];
    std::uint8_t value = 0xFF;
    if (!p.floating) {
        switch (selector & 0x07) {
        case port::RegData:
            value = p.dataReadsBack ? p.data.load() : 0xFF;
            break;
        case port::RegStatus:
            value = p.status;
            break;
        case port::RegControl: {
            const int stuck = p.controlReadsAs;
            value =
                stuck == FakePort::notStuck ? p.control.load() : static_cast<std::uint8_t>(stuck);
            break;
        }
        }
    }
    if (const auto script = scripts_.find(selector); script != scripts_.end())
        value = script->second->answer(script->second->reads++);
    log.add({false, selector, value});
    return value;
}

void FakePortPlatform::write(std::uint8_t selector, std::uint8_t value) {
    log.add({true, selector, value});
    FakePort& p = ports_[index(selector)];
    switch (selector & 0x07) {
    case port::RegData:
        p.data = value;
        break;
    case port::RegControl:
        p.control =
            p.directionBitWorks ? value : static_cast<std::uint8_t>(value & ~port::CtrlDirection);
        break;
    }
}

void FakePortPlatform::readRequest(std::span<port::AccessRecord> records) {
    ++deviceRequests;
    if (failRequests) {
        lastError_.set(5); // EIO
        return;
    }
    for (port::AccessRecord& record : records)
        record.value = read(record.selector);
}

void FakePortPlatform::writeRequest(std::span<const port::AccessRecord> records) {
    ++deviceRequests;
    if (failRequests) {
        lastError_.set(5);
        return;
    }
    for (const port::AccessRecord& record : records)
        write(record.selector, record.value);
}

std::uint8_t FakePortPlatform::directIn(std::uint16_t address) {
    const std::lock_guard lock(directMutex_);
    directAddresses_.push_back(address);
    return 0x5A;
}

void FakePortPlatform::directOut(std::uint16_t address, std::uint8_t) {
    const std::lock_guard lock(directMutex_);
    directAddresses_.push_back(address);
}

std::vector<std::uint16_t> FakePortPlatform::directAddresses() const {
    const std::lock_guard lock(directMutex_);
    return directAddresses_;
}

void FakePortPlatform::clearDirectAddresses() {
    const std::lock_guard lock(directMutex_);
    directAddresses_.clear();
}

} // namespace voltarix::testkit
