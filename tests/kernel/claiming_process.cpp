#include "claiming_process.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdint>
#include <ctime>
#include <fcntl.h>
#include <linux/ppdev.h>
#include <poll.h>
#include <stdexcept>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace voltarix::kerneltest {

namespace {

constexpr char AskLongest = 'L';
constexpr char LetGo = 'Q';
constexpr char Claimed = 'C';
constexpr char Failed = 'E';

std::int64_t nowMicroseconds() {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

// Another program does not share the test's descriptors: a node the test
// holds open would otherwise stay open in here after the test closed it.
void closeInheritedDescriptors(int keep1, int keep2) {
    const unsigned low = static_cast<unsigned>(std::min(keep1, keep2));
    const unsigned high = static_cast<unsigned>(std::max(keep1, keep2));
    const unsigned firstAfterStandard = 3;
    if (low > firstAfterStandard)
        ::close_range(firstAfterStandard, low - 1, 0);
    if (high > low + 1)
        ::close_range(low + 1, high - 1, 0);
    ::close_range(high + 1, ~0u, 0);
}

bool writeAll(int fd, const void* data, std::size_t size) {
    return ::write(fd, data, size) == static_cast<ssize_t>(size);
}

} // namespace

ClaimingProcess::ClaimingProcess(const std::string& node) {
    int toChild[2];
    int fromChild[2];
    if (::pipe2(toChild, O_CLOEXEC) != 0)
        throw std::runtime_error("pipe failed");
    if (::pipe2(fromChild, O_CLOEXEC) != 0) {
        ::close(toChild[0]);
        ::close(toChild[1]);
        throw std::runtime_error("pipe failed");
    }
    child_ = ::fork();
    if (child_ == 0) {
        ::close(toChild[1]);
        ::close(fromChild[0]);
        runChild(node, toChild[0], fromChild[1]);
    }
    ::close(toChild[0]);
    ::close(fromChild[1]);
    commands_ = toChild[1];
    answers_ = fromChild[0];
    if (child_ < 0) {
        ::close(commands_);
        ::close(answers_);
        throw std::runtime_error("fork failed");
    }
}

ClaimingProcess::~ClaimingProcess() {
    letGo();
}

// Only system calls from here on: the child of a fork keeps nothing else
// of the test but its memory.
void ClaimingProcess::runChild(const std::string& node, int commands, int answers) {
    closeInheritedDescriptors(commands, answers);
    const int fd = ::open(node.c_str(), O_RDWR);
    if (fd < 0 || ::ioctl(fd, PPCLAIM) != 0) {
        const char reply[2] = {Failed, static_cast<char>(errno)};
        writeAll(answers, reply, sizeof reply);
        ::_exit(1);
    }
    writeAll(answers, &Claimed, 1);
    std::int64_t longest = 0;
    for (;;) {
        pollfd command{commands, POLLIN, 0};
        if (::poll(&command, 1, 1) > 0) {
            char request = LetGo;
            if (::read(commands, &request, 1) != 1 || request == LetGo)
                break;
            writeAll(answers, &longest, sizeof longest);
            longest = 0;
            continue;
        }
        unsigned char data = 0;
        const std::int64_t before = nowMicroseconds();
        ::ioctl(fd, PPRDATA, &data);
        longest = std::max(longest, nowMicroseconds() - before);
    }
    // Closing releases the claim, as the program does.
    ::close(fd);
    ::_exit(0);
}

bool ClaimingProcess::waitUntilClaimed(std::chrono::milliseconds limit) {
    if (claimed_)
        return true;
    if (claimError_ != 0)
        return false;
    char reply = 0;
    if (!readAnswer(&reply, 1, limit))
        return false;
    if (reply == Claimed) {
        claimed_ = true;
        return true;
    }
    char error = 0;
    readAnswer(&error, 1, std::chrono::seconds(5));
    claimError_ = error != 0 ? static_cast<unsigned char>(error) : EIO;
    return false;
}

std::chrono::microseconds ClaimingProcess::longestCall() {
    if (!claimed_ || !writeAll(commands_, &AskLongest, 1))
        throw std::runtime_error("the claiming process does not hold the port");
    std::int64_t longest = 0;
    if (!readAnswer(&longest, sizeof longest, std::chrono::seconds(30)))
        throw std::runtime_error("the claiming process does not answer");
    return std::chrono::microseconds(longest);
}

void ClaimingProcess::letGo() {
    if (child_ <= 0)
        return;
    // A child still asleep in its claim reads no command.
    if (!waitUntilClaimed(std::chrono::milliseconds(0))) {
        kill();
        return;
    }
    writeAll(commands_, &LetGo, 1);
    reap();
}

void ClaimingProcess::kill() {
    if (child_ <= 0)
        return;
    ::kill(child_, SIGKILL);
    reap();
}

void ClaimingProcess::reap() {
    int status = 0;
    while (::waitpid(child_, &status, 0) < 0 && errno == EINTR) {
    }
    child_ = -1;
    ::close(commands_);
    ::close(answers_);
}

bool ClaimingProcess::readAnswer(void* buffer, std::size_t size, std::chrono::milliseconds limit) {
    auto* bytes = static_cast<char*>(buffer);
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (size > 0) {
        const auto left = std::max(std::chrono::milliseconds(0),
                                   std::chrono::duration_cast<std::chrono::milliseconds>(
                                       deadline - std::chrono::steady_clock::now()));
        pollfd answer{answers_, POLLIN, 0};
        if (::poll(&answer, 1, static_cast<int>(left.count())) <= 0)
            return false;
        const ssize_t got = ::read(answers_, bytes, size);
        if (got <= 0)
            return false;
        bytes += got;
        size -= static_cast<std::size_t>(got);
    }
    return true;
}

} // namespace voltarix::kerneltest
