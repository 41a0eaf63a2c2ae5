#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <vector>

namespace voltarix::port::windows::testing {

// Stands in for the port hardware behind the processor's port instructions.
//
// A user-mode process may not execute IN and OUT on the NT family: the
// processor raises a privileged-instruction exception. While a trap exists,
// it catches that exception for the one-byte forms `in al, dx` and
// `out dx, al`, logs the access and continues after the instruction. Only
// the attached registers hold what is written; every other address reads
// 0xFF and drops writes, as a bus with no card behind it. So the code under
// test runs the real instructions and the test sees every address reached.
class PortInstructionTrap {
public:
    struct Access {
        bool write = false;
        std::uint16_t address = 0;
        std::uint8_t value = 0;
        bool operator==(const Access&) const = default;
    };

    PortInstructionTrap();
    ~PortInstructionTrap();

    PortInstructionTrap(const PortInstructionTrap&) = delete;
    PortInstructionTrap& operator=(const PortInstructionTrap&) = delete;

    void attachRegister(std::uint16_t address, std::uint8_t value) { registers_[address] = value; }
    std::uint8_t registerValue(std::uint16_t address) const;
    const std::vector<Access>& accesses() const { return accesses_; }
    void clearAccesses() { accesses_.clear(); }

private:
    static LONG CALLBACK onException(EXCEPTION_POINTERS* exception);
    bool emulate(CONTEXT& context);

    static PortInstructionTrap* active_;
    void* handler_ = nullptr;
    std::map<std::uint16_t, std::uint8_t> registers_;
    std::vector<Access> accesses_;
};

} // namespace voltarix::port::windows::testing
