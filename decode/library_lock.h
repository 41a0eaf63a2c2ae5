#pragma once

#include <mutex>
#include <string>
#include <vector>

namespace voltarix::decode {

// Every call into libsigrokdecode of this program is made under one process-wide lock: the
// library keeps process-wide state (its sessions, its search paths, the log handler) that it
// does not guard itself, and its errors come only as log lines, which the lock lets us
// attribute to the call that caused them. The lock also covers the decoders' own threads
// while a call waits for them, since the library runs them only inside srd_session_send.
class LibraryLock {
public:
    LibraryLock();
    ~LibraryLock();
    LibraryLock(const LibraryLock&) = delete;
    LibraryLock& operator=(const LibraryLock&) = delete;

    // The error lines the library logged since the lock was taken (or since the last take).
    std::vector<std::string> takeErrors();

    // Routes the library's log to the lock's collector; once, before the library is used.
    static void installLogHandler();

private:
    std::unique_lock<std::mutex> lock_;
};

// A library error as one line for a message box: the last line of a Python traceback (the
// exception and its text) when there is one, else the message itself; `fallback` when there
// is none.
std::string libraryErrorText(const std::vector<std::string>& errors, const std::string& fallback);

} // namespace voltarix::decode
