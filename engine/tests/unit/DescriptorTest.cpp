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

}  // namespace
}  // namespace jad
