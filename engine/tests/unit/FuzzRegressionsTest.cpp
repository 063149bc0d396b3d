#include <gtest/gtest.h>

#include <filesystem>

#include "JavaTestSupport.h"

namespace jad::test {
namespace {

namespace fs = std::filesystem;

// Inputs that once crashed the engine: each must now end in an orderly way,
// written (0) or refused with a message (1).
TEST(FuzzRegressions, EveryFoundCrashNowEndsInAnOrderlyWay) {
    const fs::path folder = fs::path(JAD_TEST_SOURCE_DIR) / ".." / "fuzz" / "regressions";
    int checked = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() != ".class") continue;
        TempDir work;
        ProcessResult result = runJad({"-o", "-d" + work.path().string(), entry.path().string()}, work.path());
        EXPECT_TRUE(result.status == 0 || result.status == 1) << entry.path() << " exit " << result.status;
        ++checked;
    }
    EXPECT_GT(checked, 0);
}

}  // namespace
}  // namespace jad::test
