#pragma once

#include <chrono>
#include <string>

struct kmod_ctx;

namespace voltarix::kerneltest {

// The guest kernel's parport driver, put into the state a test starts from
// the way an administrator would (modprobe, rmmod), and what the kernel shows
// of it. Every failure throws std::runtime_error saying what went wrong.
class GuestDriver {
public:
    GuestDriver();
    ~GuestDriver();

    GuestDriver(const GuestDriver&) = delete;
    GuestDriver& operator=(const GuestDriver&) = delete;

    // parport_pc on the emulated port at 0x378 without its interrupt line,
    // and ppdev, with /dev/parport0 in place. With the interrupt line, a
    // release that hands the port to a waiting claim locks the guest up.
    void load();
    // ppdev, parport_pc and parport out of the kernel, whoever loaded them.
    void unload();

    void loadModule(const std::string& name, const std::string& options = {});
    void unloadModule(const std::string& name);

    // In the kernel now, as /proc/modules lists it.
    static bool isLoaded(const std::string& name);
    // The first line of /proc/sys/dev/parport/parport<port>/<name>, without
    // its line end; empty when there is no such file.
    static std::string portSetting(const std::string& name, int port = 0);
    // The device that holds the port now: "none" when it is free.
    static std::string activeDevice(int port = 0) { return portSetting("devices/active", port); }
    // Waits until the node exists (or no longer does).
    static bool waitForNode(const std::string& path, bool present,
                            std::chrono::milliseconds limit = std::chrono::seconds(5));

private:
    kmod_ctx* context_ = nullptr;
};

} // namespace voltarix::kerneltest
