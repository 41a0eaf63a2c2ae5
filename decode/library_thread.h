#pragma once

#include <functional>

namespace voltarix::decode {

// The thread that starts libsigrokdecode and creates its decoders. The library reports a
// Python exception raised while it starts a session (a decoder's start() or metadata(), where
// decoders check their options) only on the thread that started the interpreter; on any other
// thread the exception is lost and the decoder fails later for another reason. So the library
// is started, and every session is created, on this one thread, which lives as long as the
// process. Feeding samples works from any thread.
class LibraryThread {
public:
    // Runs `task` on the library's thread and waits until it has run. The caller must not
    // hold the LibraryLock; the task takes it if it calls the library.
    static void run(const std::function<void()>& task);
};

} // namespace voltarix::decode
