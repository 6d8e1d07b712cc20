// Replays every input the filter fuzzer once failed on.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "filter_fuzz_target.h"

namespace {

TEST(FilterFuzzRegressions, EveryKeptInputRunsCleanly) {
    const std::filesystem::path folder = BB_FILTER_REGRESSIONS;
    int replayed = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        std::ifstream in(entry.path(), std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        SCOPED_TRACE(entry.path().filename().string());
        bb::fuzz::runFilter(bytes.str());
        ++replayed;
    }
    EXPECT_GT(replayed, 0);
}

}  // namespace
