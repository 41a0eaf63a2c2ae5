#include "app/application_look.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A private X server for the run: Xvfb picks a free display and tells it
// through a pipe once it accepts clients.
class VirtualDisplay {
public:
    VirtualDisplay() {
        int fds[2];
        if (::pipe(fds) != 0)
            throw std::runtime_error("pipe failed");
        pid_ = ::fork();
        if (pid_ == 0)
            runServer(fds);
        ::close(fds[1]);
        display_ = readDisplayNumber(fds[0]);
        ::close(fds[0]);
        if (display_.empty())
            throw std::runtime_error("Xvfb did not start");
    }
    ~VirtualDisplay() {
        if (pid_ > 0) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    VirtualDisplay(const VirtualDisplay&) = delete;
    VirtualDisplay& operator=(const VirtualDisplay&) = delete;

    std::string name() const { return ":" + display_; }

private:
    [[noreturn]] static void runServer(const int fds[2]) {
        ::close(fds[0]);
        if (std::freopen("/dev/null", "w", stderr) == nullptr ||
            std::freopen("/dev/null", "w", stdout) == nullptr)
            std::_Exit(126);
        const std::string fd = std::to_string(fds[1]);
        ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24",
                 "-nolisten", "tcp", static_cast<char*>(nullptr));
        std::_Exit(127);
    }

    static std::string readDisplayNumber(int fd) {
        std::string number;
        char c = 0;
        while (::read(fd, &c, 1) == 1 && c != '\n')
            number += c;
        return number;
    }

    pid_t pid_ = -1;
    std::string display_;
};

// The application runs on the xcb platform of that server, with the look
// and title the program itself applies at start.
class X11Environment : public ::testing::Environment {
public:
    X11Environment(int& argc, char** argv) : argc_(argc), argv_(argv) {}

    void SetUp() override {
        display_ = std::make_unique<VirtualDisplay>();
        ::setenv("DISPLAY", display_->name().c_str(), 1);
        ::setenv("QT_QPA_PLATFORM", "xcb", 1);
        app_ = std::make_unique<QApplication>(argc_, argv_);
        voltarix::app::applyApplicationLook(*app_);
    }
    void TearDown() override {
        app_.reset();
        display_.reset();
    }

private:
    int& argc_;
    char** argv_;
    std::unique_ptr<VirtualDisplay> display_;
    std::unique_ptr<QApplication> app_;
};

} // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new X11Environment(argc, argv));
    return RUN_ALL_TESTS();
}
