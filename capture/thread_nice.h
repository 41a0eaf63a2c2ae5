#pragma once

namespace voltarix::capture {

// The nice value of the calling thread (Linux keeps one per thread), raised
// to the highest priority the system allows and put back afterwards.
class ThreadNice {
public:
    ThreadNice() = default;
    ThreadNice(const ThreadNice&) = delete;
    ThreadNice& operator=(const ThreadNice&) = delete;
    ~ThreadNice() { restore(); }

    // Remembers the present value, then takes the lowest one granted.
    void raise();
    void restore();
    // The value in force now.
    static int current();

private:
    int saved_ = 0;
    bool raised_ = false;
};

} // namespace voltarix::capture
