#include "diagram17/device_stream_buffer.h"

#include <QIODevice>

namespace voltarix::diagram17 {

DeviceStreamBuffer::DeviceStreamBuffer(QIODevice& device) : device_(device) {
    setp(block_.data(), block_.data() + block_.size());
}

DeviceStreamBuffer::int_type DeviceStreamBuffer::overflow(int_type ch) {
    if (!writeBlock())
        return traits_type::eof();
    if (!traits_type::eq_int_type(ch, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(ch);
        pbump(1);
    }
    return traits_type::not_eof(ch);
}

int DeviceStreamBuffer::sync() {
    return writeBlock() ? 0 : -1;
}

bool DeviceStreamBuffer::writeBlock() {
    const qint64 pending = pptr() - pbase();
    if (good_ && pending > 0)
        good_ = device_.write(pbase(), pending) == pending;
    setp(block_.data(), block_.data() + block_.size());
    return good_;
}

} // namespace voltarix::diagram17
