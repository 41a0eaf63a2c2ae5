#pragma once

#include <array>
#include <streambuf>

class QIODevice;

namespace voltarix::diagram17 {

// A stream buffer that hands what a std::ostream writes to a Qt device in
// large blocks, so that a text writer can stream into a QSaveFile without
// the whole text in memory. A failed device write is remembered; nothing more
// is written after it.
class DeviceStreamBuffer : public std::streambuf {
public:
    static constexpr std::size_t blockSize = 1 << 16;

    explicit DeviceStreamBuffer(QIODevice& device);

    // False once a write to the device has failed.
    bool good() const { return good_; }

protected:
    int_type overflow(int_type ch) override;
    int sync() override;

private:
    bool writeBlock();

    QIODevice& device_;
    std::array<char, blockSize> block_{};
    bool good_ = true;
};

} // namespace voltarix::diagram17
