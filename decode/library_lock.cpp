#include "decode/library_lock.h"

#include <glib.h>
#include <libsigrokdecode/libsigrokdecode.h>

#include <cstdarg>
#include <sstream>

namespace voltarix::decode {

namespace {

std::mutex& libraryMutex() {
    static std::mutex mutex;
    return mutex;
}

// The decoders' threads log while the caller holds the library lock and waits for them, so the
// collector has a lock of its own.
struct LogCollector {
    std::mutex mutex;
    std::vector<std::string> errors;
};

LogCollector& collector() {
    static LogCollector instance;
    return instance;
}

int collectLog(void*, int level, const char* format, va_list args) {
    if (level > SRD_LOG_ERR)
        return SRD_OK;
    gchar* text = g_strdup_vprintf(format, args);
    {
        std::lock_guard guard(collector().mutex);
        collector().errors.emplace_back(text ? text : "");
    }
    g_free(text);
    return SRD_OK;
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

} // namespace

LibraryLock::LibraryLock() : lock_(libraryMutex()) {
    takeErrors();
}

LibraryLock::~LibraryLock() = default;

std::vector<std::string> LibraryLock::takeErrors() {
    std::lock_guard guard(collector().mutex);
    std::vector<std::string> taken;
    taken.swap(collector().errors);
    return taken;
}

void LibraryLock::installLogHandler() {
    srd_log_loglevel_set(SRD_LOG_ERR);
    srd_log_callback_set(&collectLog, nullptr);
}

std::string libraryErrorText(const std::vector<std::string>& errors, const std::string& fallback) {
    // A traceback ends with the exception's own line; earlier messages are the library's
    // account of where it happened.
    for (auto message = errors.rbegin(); message != errors.rend(); ++message) {
        std::istringstream lines(*message);
        std::string line;
        std::string last;
        while (std::getline(lines, line)) {
            if (!trimmed(line).empty())
                last = trimmed(line);
        }
        if (!last.empty())
            return last;
    }
    return fallback;
}

} // namespace voltarix::decode
