#pragma once

#include <cstdint>

namespace voltarix::capture {

// What the sampler reads: the levels of the lines at one moment, line k in
// bit k. Called from the sampler's threads only, one call at a time.
class LevelSource {
public:
    virtual ~LevelSource() = default;
    virtual std::uint32_t readLevels() = 0;
};

} // namespace voltarix::capture
