// Checks on jad's output shared by the tests that compile a class Outer and
// read what jad prints for it.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "JavaTestSupport.h"

namespace jad::test {

// Compiles `source` (class Outer) in `dir` and returns jad's output for
// Outer.class, with LF line ends.
inline std::string decompileOuter(const TempDir& dir, const std::string& source, const std::string& javacOptions) {
    auto compiled = compileJava(dir.path(), {{"Outer.java", source}}, javacOptions);
    EXPECT_EQ(compiled.status, 0) << compiled.err;
    auto result = runJad({"-p", (dir.path() / "classes" / "Outer.class").string()}, dir.path());
    EXPECT_EQ(result.status, 0) << result.err;
    return withLf(result.out);
}

inline void expectContains(const std::string& text, const std::vector<std::string>& pieces) {
    for (const auto& piece : pieces) EXPECT_NE(text.find(piece), std::string::npos) << piece << "\n--- in ---\n" << text;
}

inline void expectAbsent(const std::string& text, const std::vector<std::string>& pieces) {
    for (const auto& piece : pieces) EXPECT_EQ(text.find(piece), std::string::npos) << piece << "\n--- in ---\n" << text;
}

// No compiler name may survive: the header's comments aside, no `$`.
inline void expectNoDollar(const std::string& text) {
    size_t code = text.find("\n\n");
    EXPECT_EQ(text.find('$', code == std::string::npos ? 0 : code), std::string::npos) << text;
}

}  // namespace jad::test
