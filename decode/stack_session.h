#pragma once

#include "decode/result.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

struct srd_session;
struct srd_decoder_inst;
struct srd_proto_data;

namespace voltarix::decode {

struct ValidStack;

// An annotation as the library gives it, before it is placed on the recording.
struct RawAnnotation {
    std::uint64_t startSample = 0;
    std::uint64_t endSample = 0;
    int layer = 0;
    int annotationClass = 0;
    std::vector<std::string> texts;
};

// One stack's session of the library: its decoders created, stacked and started at a sample
// rate, fed with chunks of the uniform stream. Every call takes the library lock.
class StackSession {
public:
    // Bytes a sample takes: 17 pins, pin p in bit p - 1, little-endian.
    static constexpr std::size_t kUnitSize = 3;

    ~StackSession();
    StackSession(const StackSession&) = delete;
    StackSession& operator=(const StackSession&) = delete;

    // The library's refusals (an option it does not take, a decoder's start() raising ...)
    // come back as a message naming the decoder.
    static Result<std::unique_ptr<StackSession>> open(const ValidStack& stack,
                                                      std::uint64_t rateHz);

    // Samples [startSample, startSample + count), kUnitSize bytes each. A failure (a decoder's
    // Python exception) comes back as a message; the session is then of no more use.
    Result<> send(std::uint64_t startSample, const std::uint8_t* samples, std::size_t count);

    // The annotations given since the last take, in the library's order.
    std::vector<RawAnnotation> takeAnnotations();

private:
    StackSession() = default;
    // open() on the library's thread.
    static Result<std::unique_ptr<StackSession>> openHere(const ValidStack& stack,
                                                          std::uint64_t rateHz);
    static void annotationGiven(srd_proto_data* data, void* session);
    // Takes the library lock itself; the caller must not hold it.
    void destroy();

    srd_session* session_ = nullptr;
    std::vector<srd_decoder_inst*> layers_;
    std::vector<std::string> decoderIds_;
    // Filled on the library's decoder threads, taken on the caller's.
    std::mutex mutex_;
    std::vector<RawAnnotation> annotations_;
};

} // namespace voltarix::decode
