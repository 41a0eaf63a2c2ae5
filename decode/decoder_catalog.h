#pragma once

#include "decode/decoder_info.h"
#include "decode/result.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace voltarix::decode {

// The decoders of the installed libsigrokdecode, loaded once per process: the library keeps one
// Python interpreter and one list of decoders for the whole process, so the first successful
// load() decides what every later caller gets.
//
// A load that fails (the library's own error, a missing decoder directory, a directory without
// any decoder) leaves the library unloaded, and a later load() may try again. Every member of a
// loaded catalog may be used from any thread; the catalog lives until the process ends.
class DecoderCatalog {
public:
    // The library's own directories (the installed one, /usr/share/libsigrokdecode/decoders,
    // and SIGROKDECODE_DIR when set), then `extraDirectory` when not empty, which is searched
    // first: a decoder there hides an installed one of the same id. An extra directory must
    // exist; the directories together must offer at least one decoder. Once a catalog is
    // loaded, a call with the same or no extra directory returns it, and a call that asks for
    // another extra directory fails.
    static Result<const DecoderCatalog*> load(const std::filesystem::path& extraDirectory = {});
    // The catalog loaded earlier, or nullptr.
    static const DecoderCatalog* loaded();

    // Every decoder, ordered by id.
    const std::vector<DecoderInfo>& decoders() const { return decoders_; }
    // nullptr when there is no decoder of that id.
    const DecoderInfo* find(std::string_view id) const;
    // The decoders that read the recorded lines (may form the bottom of a stack).
    std::vector<const DecoderInfo*> lineDecoders() const;
    // The decoders that may be stacked on `lower`.
    std::vector<const DecoderInfo*> decodersOn(const DecoderInfo& lower) const;
    // The directories the library searched, in its order.
    const std::vector<std::filesystem::path>& directories() const { return directories_; }
    // The library's version ("0.5.3").
    const std::string& libraryVersion() const { return libraryVersion_; }
    // What the library logged about decoders it could not load (a decoder whose Python code
    // does not import); those decoders are not in the list.
    const std::vector<std::string>& loadErrors() const { return loadErrors_; }

    DecoderCatalog(const DecoderCatalog&) = delete;
    DecoderCatalog& operator=(const DecoderCatalog&) = delete;

private:
    DecoderCatalog() = default;
    friend class CatalogLoader;

    std::vector<DecoderInfo> decoders_;
    std::vector<std::filesystem::path> directories_;
    std::filesystem::path extraDirectory_;
    std::string libraryVersion_;
    std::vector<std::string> loadErrors_;
};

} // namespace voltarix::decode
