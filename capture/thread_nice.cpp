#include "capture/thread_nice.h"

#include <cerrno>
#include <sys/resource.h>
#include <unistd.h>

namespace voltarix::capture {

namespace {

id_t thisThread() {
    return static_cast<id_t>(gettid());
}

} // namespace

int ThreadNice::current() {
    errno = 0;
    const int nice = getpriority(PRIO_PROCESS, thisThread());
    return errno == 0 ? nice : 0;
}

void ThreadNice::raise() {
    saved_ = current();
    raised_ = true;
    // Tried from the top down: without the right to raise, only values at or
    // above the present one are granted.
    for (int nice = -20; nice < saved_; ++nice) {
        if (setpriority(PRIO_PROCESS, thisThread(), nice) == 0)
            return;
    }
}

void ThreadNice::restore() {
    if (!raised_)
        return;
    setpriority(PRIO_PROCESS, thisThread(), saved_);
    raised_ = false;
}

} // namespace voltarix::capture
