// Every file of the fuzz corpus through its target, as a plain test: an
// input the fuzzer once found, kept in fuzz/corpus/, stays fixed.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "fuzz/FuzzTargets.h"

namespace fs = std::filesystem;

TEST(FuzzCorpus, EveryInputRunsCleanThroughItsTarget) {
    const fs::path root = fs::path(QUORVEX_SOURCE_DIR) / "fuzz" / "corpus";
    int inputs = 0;
    for (const auto& folder : fs::directory_iterator(root))
        EXPECT_NE(FuzzTarget(folder.path().filename().string()), nullptr) << "no target for " << folder.path();
    for (const std::string_view name : FuzzTargetNames) {
        const FuzzEntry target = FuzzTarget(name);
        ASSERT_NE(target, nullptr) << name;
        const fs::path folder = root / std::string(name.substr(0, name.find('_')));
        ASSERT_TRUE(fs::is_directory(folder)) << name;
        for (const auto& file : fs::directory_iterator(folder)) {
            SCOPED_TRACE(file.path().string());
            std::ifstream in(file.path(), std::ios::binary);
            const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            EXPECT_EQ(target(bytes.data(), bytes.size()), 0);
            ++inputs;
        }
    }
    EXPECT_GE(inputs, 6);
}
