// Method bodies decompiled straight from javac output, with the checks
// between passes turned on.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "JavaTestSupport.h"
#include "body/pipeline/MethodBody.h"
#include "classfile/ClassReader.h"

namespace jad::test {

class SimpleNames : public TypeNamer {
public:
    std::string className(const std::string& internalName) const override {
        const size_t slash = internalName.rfind('/');
        return slash == std::string::npos ? internalName : internalName.substr(slash + 1);
    }
};

class BodyTest : public ::testing::Test {
protected:
    void SetUp() override { options.checkInvariants = true; }

    // Compiles one class `Name` from `source` and returns the body of
    // `method` as text, lines joined with '\n'.
    std::string bodyOf(const std::string& source, const std::string& method, const std::string& javacOptions = "-g") {
        auto compiled = compileJava(dir.path(), {{"T.java", source}}, javacOptions);
        EXPECT_EQ(compiled.status, 0) << compiled.err;
        const std::vector<uint8_t> bytes = readBytes(dir.path() / "classes" / "T.class");
        ClassFile file = readClassFile(bytes.data(), bytes.size());
        for (const Method& m : file.methods) {
            if (m.name != method) continue;
            std::vector<std::string> names;
            auto type = parseMethodDescriptor(m.descriptor);
            for (size_t i = 0; type && i < type->parameters.size(); ++i) names.push_back("p" + std::to_string(i));
            BodyRequest request{file, m, types, options, names};
            std::string text;
            for (const std::string& line : decompileBody(request)) text += line + "\n";
            return text;
        }
        ADD_FAILURE() << "no method " << method;
        return std::string();
    }

    TempDir dir;
    SimpleNames types;
    PrintOptions options;
};

inline void expectDecompiled(const std::string& text) {
    EXPECT_EQ(text.find("Not decompiled"), std::string::npos) << text;
}

// Each piece must occur, in this order.
inline void expectPieces(const std::string& text, const std::vector<std::string>& pieces) {
    size_t at = 0;
    for (const auto& piece : pieces) {
        const size_t found = text.find(piece, at);
        ASSERT_NE(found, std::string::npos) << "missing (in order): " << piece << "\n--- in ---\n" << text;
        at = found + piece.size();
    }
}

}  // namespace jad::test
