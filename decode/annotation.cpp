#include "decode/annotation.h"

namespace voltarix::decode {

const std::string& Annotation::text() const {
    static const std::string none;
    return texts.empty() ? none : texts.front();
}

} // namespace voltarix::decode
