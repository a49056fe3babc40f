// Every input the fuzzers keep, seeds and past crashes alike, run through its
// target in the normal build: a crash found once stays fixed.
#include "fuzz_target.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {
std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(FuzzCorpus, EveryKeptInputPassesItsTarget)
{
    const struct {
        const char* folder;
        FuzzTarget target;
    } targets[] = {
        {"decoder", FuzzDecoder},
        {"receive", FuzzReceive},
        {"track_files", FuzzTrackFiles},
        {"settings_file", FuzzSettingsFile},
    };
    for (const auto& t : targets) {
        int inputs = 0;
        for (const auto& entry :
             std::filesystem::directory_iterator(std::filesystem::path(DROVIK_FUZZ_CORPUS) / t.folder)) {
            const auto bytes = ReadBytes(entry.path());
            SCOPED_TRACE(entry.path().string());
            EXPECT_EQ(t.target(bytes.data(), bytes.size()), 0);
            ++inputs;
        }
        EXPECT_GT(inputs, 0) << t.folder;
    }
}
} // namespace
