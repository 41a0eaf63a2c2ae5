#include "decode/stack_check.h"

#include "decode/stack_session.h"
#include "decode/valid_stack.h"

namespace voltarix::decode {

Result<> checkStack(const DecoderCatalog& catalog, const StackSetup& stack) {
    Result<ValidStack> valid = ValidStack::from(catalog, stack);
    if (!valid)
        return Result<>::failure(valid.error());
    // Any rate will do: the decoders see it only as their start() and metadata() do.
    constexpr std::uint64_t kCheckRateHz = 1'000'000;
    Result<std::unique_ptr<StackSession>> session = StackSession::open(*valid, kCheckRateHz);
    if (!session)
        return Result<>::failure(session.error());
    return success();
}

} // namespace voltarix::decode
