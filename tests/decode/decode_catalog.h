#pragma once

#include "decode/decoder_catalog.h"

#include <filesystem>

namespace voltarix::decode::testing {

// The process's catalog: the installed decoders and the test decoder's directory.
const DecoderCatalog& catalog();
const std::filesystem::path& testDecoderDirectory();

} // namespace voltarix::decode::testing
