// The decode tests share one process-wide catalog (the library allows one): the installed
// decoders and, in a directory of its own, a test decoder that fails on purpose.

#include "decode_catalog.h"
#include "recordings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace voltarix::decode::testing {

namespace {

std::filesystem::path& extraDirectory() {
    static std::filesystem::path directory;
    return directory;
}

class CatalogEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        char pattern[] = "/tmp/voltarix-decoders-XXXXXX";
        const char* made = mkdtemp(pattern);
        ASSERT_NE(made, nullptr);
        extraDirectory() = made;
        FaultyDecoder::writeInto(made);
    }
    void TearDown() override {
        std::error_code error;
        std::filesystem::remove_all(extraDirectory(), error);
    }
};

} // namespace

const DecoderCatalog& catalog() {
    static const DecoderCatalog* loaded = [] {
        Result<const DecoderCatalog*> result = DecoderCatalog::load(extraDirectory());
        if (!result) {
            ADD_FAILURE() << result.error();
            std::abort();
        }
        return result.value();
    }();
    return *loaded;
}

const std::filesystem::path& testDecoderDirectory() {
    return extraDirectory();
}

} // namespace voltarix::decode::testing

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new voltarix::decode::testing::CatalogEnvironment);
    return RUN_ALL_TESTS();
}
