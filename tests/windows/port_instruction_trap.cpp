#include "port_instruction_trap.h"

#include <type_traits>

namespace voltarix::port::windows::testing {

namespace {

constexpr std::uint8_t InAlDx = 0xEC;
constexpr std::uint8_t OutDxAl = 0xEE;

#ifdef _WIN64
auto& instructionPointer(CONTEXT& context) {
    return context.Rip;
}
auto& accumulator(CONTEXT& context) {
    return context.Rax;
}
auto& dataRegister(CONTEXT& context) {
    return context.Rdx;
}
#else
auto& instructionPointer(CONTEXT& context) {
    return context.Eip;
}
auto& accumulator(CONTEXT& context) {
    return context.Eax;
}
auto& dataRegister(CONTEXT& context) {
    return context.Edx;
}
#endif

} // namespace

PortInstructionTrap* PortInstructionTrap::active_ = nullptr;

PortInstructionTrap::PortInstructionTrap() {
    active_ = this;
    handler_ = ::AddVectoredExceptionHandler(1, &PortInstructionTrap::onException);
}

PortInstructionTrap::~PortInstructionTrap() {
    ::RemoveVectoredExceptionHandler(handler_);
    active_ = nullptr;
}

std::uint8_t PortInstructionTrap::registerValue(std::uint16_t address) const {
    const auto found = registers_.find(address);
    return found == registers_.end() ? 0xFF : found->second;
}

LONG CALLBACK PortInstructionTrap::onException(EXCEPTION_POINTERS* exception) {
    if (exception->ExceptionRecord->ExceptionCode != EXCEPTION_PRIV_INSTRUCTION || !active_)
        return EXCEPTION_CONTINUE_SEARCH;
    return active_->emulate(*exception->ContextRecord) ? EXCEPTION_CONTINUE_EXECUTION
                                                       : EXCEPTION_CONTINUE_SEARCH;
}

bool PortInstructionTrap::emulate(CONTEXT& context) {
    const auto* instruction = reinterpret_cast<const std::uint8_t*>(instructionPointer(context));
    const auto address = static_cast<std::uint16_t>(dataRegister(context) & 0xFFFF);
    if (*instruction == InAlDx) {
        const std::uint8_t value = registerValue(address);
        auto& al = accumulator(context);
        using Register = std::remove_reference_t<decltype(al)>;
        al = (al & ~static_cast<Register>(0xFF)) | value;
        accesses_.push_back({false, address, value});
    } else if (*instruction == OutDxAl) {
        const auto value = static_cast<std::uint8_t>(accumulator(context) & 0xFF);
        const auto found = registers_.find(address);
        if (found != registers_.end())
            found->second = value;
        accesses_.push_back({true, address, value});
    } else {
        return false;
    }
    instructionPointer(context) += 1;
    return true;
}

} // namespace voltarix::port::windows::testing
