#include "port/lpt_port_connection.h"

namespace voltarix::port {

TLptPortConnection::TLptPortConnection(std::unique_ptr<PortPlatform> platform)
    : platform_(std::move(platform)) {
    open();
    if (IsReady()) {
        PortPresent_[0] = IsPortPresent(PortCodeLpt1);
        PortPresent_[1] = IsPortPresent(PortCodeLpt2);
        PortPresent_[2] = IsPortPresent(PortCodeLpt3);
    }
}

void TLptPortConnection::open() {
    nt_ = platform_->isProtectedPlatform();
    platform_->setLastError(0);
    deviceOpen_ = platform_->openDevice();
    if (deviceOpen_ || !nt_)
        return;
    // The driver is not running: start its service, then let a second open decide.
    serviceStarted_ = platform_->startDriverService();
    platform_->setLastError(0);
    deviceOpen_ = platform_->openDevice();
}

TLptPortConnection::~TLptPortConnection() {
    if (deviceOpen_)
        platform_->closeDevice();
    if (serviceStarted_ && nt_)
        platform_->removeDriverService();
}

bool TLptPortConnection::IsReady() const {
    return deviceOpen_ || !nt_;
}

bool TLptPortConnection::ReadPorts(std::span<AccessRecord> records) {
    if (!IsReady() || records.empty())
        return false;
    if (deviceOpen_) {
        platform_->setLastError(0);
        platform_->readRequest(records);
        return platform_->lastError() == 0;
    }
    for (AccessRecord& record : records)
        record.value = DirectIn(ioAddressOfSelector(record.selector));
    return true;
}

bool TLptPortConnection::WritePorts(std::span<AccessRecord> records) {
    if (!IsReady() || records.empty())
        return false;
    if (deviceOpen_) {
        platform_->setLastError(0);
        platform_->writeRequest(records);
        return platform_->lastError() == 0;
    }
    for (const AccessRecord& record : records)
        DirectOut(ioAddressOfSelector(record.selector), record.value);
    return true;
}

std::uint8_t TLptPortConnection::ReadPort(std::uint8_t portCode, std::uint8_t regOffset) {
    AccessRecord record{portSelector(portCode, regOffset), 0};
    // A failed read leaves whatever the request put there; the value counts
    // only on success so that a failure always reads as 0.
    if (!ReadPorts(std::span(&record, 1)))
        return 0;
    return record.value;
}

bool TLptPortConnection::WritePort(std::uint8_t portCode, std::uint8_t regOffset,
                                   std::uint8_t value) {
    AccessRecord record{portSelector(portCode, regOffset), value};
    return WritePorts(std::span(&record, 1));
}

bool TLptPortConnection::testDataWrite(std::uint8_t portCode, std::uint8_t testValue,
                                       bool okSoFar) {
    WritePort(portCode, RegData, testValue);
    // Once one value failed to come back there is nothing more to learn from
    // reading; the write still happens, so every probe drives the same lines.
    return okSoFar && ReadPort(portCode, RegData) == testValue;
}

bool TLptPortConnection::answers(std::uint8_t registerValue) {
    return registerValue != 0x00 && registerValue != 0xFF;
}

bool TLptPortConnection::IsPortPresent(std::uint8_t portCode) {
    const std::uint8_t saved = ReadPort(portCode, RegData);
    bool ok = testDataWrite(portCode, 0x00, true);
    ok = testDataWrite(portCode, 0x55, ok);
    ok = testDataWrite(portCode, 0xAA, ok);
    WritePort(portCode, RegData, saved);
    if (ok)
        return true;
    if (answers(ReadPort(portCode, RegControl)))
        return true;
    return answers(ReadPort(portCode, RegStatus));
}

bool TLptPortConnection::IsBidirectional(std::uint8_t portCode) {
    const std::uint8_t saved = ReadPort(portCode, RegControl);
    WritePort(portCode, RegControl, saved | CtrlDirection);
    const bool set = (ReadPort(portCode, RegControl) & CtrlDirection) == CtrlDirection;
    WritePort(portCode, RegControl, saved & ~CtrlDirection);
    bool result = false;
    if (set)
        result = (ReadPort(portCode, RegControl) & CtrlDirection) != CtrlDirection;
    WritePort(portCode, RegControl, saved);
    return result;
}

void TLptPortConnection::DirectOut(std::uint16_t address, std::uint8_t value) {
    platform_->directOut(address, value);
}

std::uint8_t TLptPortConnection::DirectIn(std::uint16_t address) {
    return platform_->directIn(address);
}

bool TLptPortConnection::wasPresentAtStart(std::uint8_t portCode) const {
    const unsigned index = (portCode >> 4) - 1;
    return index < PortPresent_.size() && PortPresent_[index];
}

} // namespace voltarix::port
