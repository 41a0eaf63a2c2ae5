#pragma once

#include <cstdint>

namespace voltarix::kerneltest {

// While it lives, the calling thread works without CAP_SYS_RAWIO in its
// effective set, so the kernel refuses it port instructions (ioperm) as it
// refuses a user without root, while loading modules stays allowed. The
// permitted set keeps the capability, so destruction gives it back.
// Capabilities belong to a thread: other threads keep theirs.
class WithoutRawIo {
public:
    WithoutRawIo();
    ~WithoutRawIo();

    WithoutRawIo(const WithoutRawIo&) = delete;
    WithoutRawIo& operator=(const WithoutRawIo&) = delete;

private:
    // 0 or the errno of the refusal.
    static int setEffective(bool rawIo);
};

} // namespace voltarix::kerneltest
