// The sampler alone on the simulated port: samples a second and the spacing
// of consecutive samples, with no window and no recording behind it.
//
//   sampler_bench [seconds] [17|3] [auto|ordinary|single]
//
// 17 reads every line with a request of its own, 3 reads each register once;
// auto schedules as the program does, ordinary never asks for real-time
// priority, single asks for it without the relay.

#include "capture/port_level_reader.h"
#include "capture/sample_run.h"
#include "capture/sampler.h"
#include "port/lpt_port_connection.h"
#include "port/simulated/simulated_platform.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>

using namespace voltarix;

int main(int argc, char** argv) {
    const int seconds = argc > 1 ? std::atoi(argv[1]) : 10;
    const bool coherent = argc > 2 && std::strcmp(argv[2], "3") == 0;
    const char* scheduling = argc > 3 ? argv[3] : "auto";

    port::TLptPortConnection connection(std::make_unique<port::SimulatedPlatform>());
    capture::PortLevelReader reader(connection);
    reader.setCoherent(coherent);
    capture::SamplingPlan plan = capture::SamplingPlan::forThisSystem();
    if (std::strcmp(scheduling, "ordinary") == 0)
        plan.realtime = false;
    if (std::strcmp(scheduling, "single") == 0)
        plan.relay = false;
    capture::Sampler sampler(reader, plan);

    std::uint64_t runs = 0;
    std::uint64_t taken = 0;
    sampler.start();
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    capture::SampleRun run;
    while (std::chrono::steady_clock::now() < end) {
        while (sampler.take(run)) {
            ++runs;
            taken += run.count;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    sampler.stop();

    const capture::SpacingHistogram& spacing = sampler.spacing();
    const auto us = [&](double q) { return static_cast<double>(spacing.quantileNs(q)) / 1000.0; };
    std::printf("reads a cycle: %d; scheduling: %s%s\n", coherent ? 3 : 17,
                sampler.scheduling().realtime ? "real-time" : "ordinary",
                sampler.scheduling().relay ? " relay" : "");
    std::printf("samples: %llu in %d s = %.0f a second; runs handed over %llu (%llu samples)\n",
                static_cast<unsigned long long>(sampler.samples()), seconds,
                static_cast<double>(sampler.samples()) / seconds,
                static_cast<unsigned long long>(runs), static_cast<unsigned long long>(taken));
    std::printf("spacing us: p50 %.1f p99 %.1f p99.9 %.1f p99.99 %.1f max %.1f\n", us(0.5),
                us(0.99), us(0.999), us(0.9999), us(1.0));
    std::printf("spacings over 50 us: %llu, over 1 ms: %llu; ring full: %llu\n",
                static_cast<unsigned long long>(spacing.countAbove(50'000)),
                static_cast<unsigned long long>(spacing.countAbove(1'000'000)),
                static_cast<unsigned long long>(sampler.fullWaits()));
}
