#include "decode/sample_clock.h"

namespace voltarix::decode {

namespace {

constexpr unsigned __int128 kMicrosecondsPerSecond = 1'000'000;

} // namespace

std::uint64_t SampleClock::sampleOf(std::uint64_t timeUs) const {
    if (timeUs <= originUs_)
        return 0;
    const unsigned __int128 scaled = static_cast<unsigned __int128>(timeUs - originUs_) * rateHz_;
    return static_cast<std::uint64_t>((scaled + kMicrosecondsPerSecond - 1) /
                                      kMicrosecondsPerSecond);
}

double SampleClock::timeOf(std::uint64_t sample) const {
    return static_cast<double>(originUs_) +
           static_cast<double>(sample) * 1e6 / static_cast<double>(rateHz_);
}

std::uint64_t SampleClock::lastTimeAtOrBefore(std::uint64_t sample) const {
    const unsigned __int128 scaled =
        static_cast<unsigned __int128>(sample) * kMicrosecondsPerSecond;
    return originUs_ + static_cast<std::uint64_t>(scaled / rateHz_);
}

} // namespace voltarix::decode
