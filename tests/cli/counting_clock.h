#pragma once

#include "capture/sampler.h"
#include "support/fake_port_platform.h"

#include <cstdint>

namespace voltarix::testkit {

// A sampler clock that moves a microsecond with every request to the fake
// port: a recording's times then follow from what was read alone, and two
// recordings of the same reads are equal to the byte.
inline capture::Sampler::Clock countingClock(const FakePortPlatform& fake) {
    return [&fake] { return static_cast<std::uint64_t>(fake.deviceRequests.load()) * 1'000; };
}

} // namespace voltarix::testkit
