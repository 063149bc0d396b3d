#include <gtest/gtest.h>

#include "classfile/Descriptor.h"

namespace jad {
namespace {

TEST(Descriptor, ParsesMethodTypesOfEveryKind) {
    auto method = parseMethodDescriptor("(IJ[[Ljava/lang/String;Z)[D");
    ASSERT_TRUE(method);
    ASSERT_EQ(method->parameters.size(), 4u);
    EXPECT_EQ(method->parameters[1].slots(), 2);
    EXPECT_EQ(method->parameters[2].className, "java/lang/String");
    EXPECT_EQ(method->parameters[2].dimensions, 2);
    EXPECT_EQ(method->returnType.descriptor(), "[D");
    EXPECT_EQ(method->returnType.slots(), 1);
}

TEST(Descriptor, RejectsMalformedText) {
    for (const char* bad : {"", "(", "(I", "()", "(V)V", "()[V", "(L;)V", "(Ljava/lang/String)V", "()VI", "(Q)V"}) {
        EXPECT_FALSE(parseMethodDescriptor(bad)) << bad;
    }
    EXPECT_FALSE(parseFieldDescriptor("V"));
    EXPECT_FALSE(parseFieldDescriptor("II"));
    EXPECT_FALSE(parseFieldDescriptor(std::string(256, '[') + "I"));
    EXPECT_TRUE(parseFieldDescriptor(std::string(255, '[') + "I"));
}

TEST(Descriptor, ClassConstantNamesMayBeArrays) {
    EXPECT_EQ(typeOfClassName("[I").dimensions, 1);
    EXPECT_EQ(typeOfClassName("[I").base, 'I');
    EXPECT_EQ(typeOfClassName("java/lang/Object").className, "java/lang/Object");
}

// The scan that only lists class names must accept exactly what the parsers
// accept, and name the same classes.
TEST(Descriptor, ClassNameScanAgreesWithTheParsers) {
    const std::vector<std::string> texts = {
        "(IJ[[Ljava/lang/String;Z)[Ljava/util/List;", "(Ljava/util/Map$Entry;Ljava/lang/Object;)V", "()V", "[[I",
        "Ljava/lang/Object;", "I", "", "(", "(I", "()", "(V)V", "()[V", "(L;)V", "(Ljava/lang/String)V", "()VI",
        "(Q)V", "V", "II", "Ljava/lang/Object", std::string(256, '[') + "I", std::string(255, '[') + "Lx;"};
    for (const std::string& text : texts) {
        std::vector<std::string> expected;
        bool parsed = false;
        auto note = [&](const JavaType& t) { if (t.base == 'L') expected.push_back(t.className); };
        if (auto method = parseMethodDescriptor(text)) {
            parsed = true;
            for (const JavaType& p : method->parameters) note(p);
            note(method->returnType);
        } else if (auto field = parseFieldDescriptor(text)) {
            parsed = true;
            note(*field);
        }
        std::vector<std::string_view> names{"left over"};
        EXPECT_EQ(descriptorClassNames(text, names), parsed) << text;
        EXPECT_EQ(std::vector<std::string>(names.begin(), names.end()), expected) << text;
        EXPECT_EQ(isFieldDescriptor(text), parseFieldDescriptor(text).has_value()) << text;
        auto method = parseMethodDescriptor(text);
        EXPECT_EQ(parameterCount(text), method ? std::optional<size_t>(method->parameters.size()) : std::nullopt) << text;
    }
}

}  // namespace
}  // namespace jad
