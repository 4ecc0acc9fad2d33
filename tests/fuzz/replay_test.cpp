// Replays a fuzz target's regression corpus through its entry point in the normal test build.
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

// One test per target, named after it (FuzzReplay.bitmap, ...); the extra macro level lets the
// target's name macro expand before TEST pastes it into an identifier.
#define HELIX_REPLAY_TEST(name) TEST(FuzzReplay, name)

HELIX_REPLAY_TEST(HELIX_FUZZ_NAME)
{
    namespace fs = std::filesystem;
    const fs::path corpus = HELIX_FUZZ_CORPUS;
    ASSERT_TRUE(fs::is_directory(corpus)) << corpus;
    int inputs = 0;
    for (const auto& entry : fs::directory_iterator(corpus)) {
        if (!entry.is_regular_file())
            continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::vector<uint8_t> data((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
        SCOPED_TRACE(entry.path().filename().string());
        // The target returns 0 for every input; a fault shows as a crash or a sanitizer report.
        EXPECT_EQ(LLVMFuzzerTestOneInput(data.data(), data.size()), 0);
        inputs++;
    }
    EXPECT_GT(inputs, 0) << "empty corpus " << corpus;
}
