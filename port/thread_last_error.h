#pragma once

namespace voltarix::port {

// The last error of a port request, kept per thread as errno is: the sampler
// thread reads the port while the window's timers read and write it, and the
// error one of them looks at must be the one its own request left.
class ThreadLastError {
public:
    int get() const { return value(); }
    void set(int code) { value() = code; }

private:
    static int& value() {
        thread_local int code = 0;
        return code;
    }
};

} // namespace voltarix::port
