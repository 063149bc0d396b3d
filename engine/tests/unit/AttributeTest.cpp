#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "classfile/Attribute.h"
#include "classfile/ByteCursor.h"

namespace jad {
namespace {

TEST(Attribute, KindsAreByExactName) {
    EXPECT_EQ(attributeKindOf("Code"), AttributeKind::Code);
    EXPECT_EQ(attributeKindOf("LocalVariableTable"), AttributeKind::LocalVariableTable);
    EXPECT_EQ(attributeKindOf("LocalVariableTypeTable"), AttributeKind::LocalVariableTypeTable);
    EXPECT_EQ(attributeKindOf("RuntimeInvisibleParameterAnnotations"),
              AttributeKind::RuntimeInvisibleParameterAnnotations);
    for (const char* other : {"", "code", "Cod", "CodeX", "LocalVariable", "SourceDebugExtension"}) {
        EXPECT_EQ(attributeKindOf(other), AttributeKind::Other) << other;
    }
}

TEST(ByteCursor, CountThatFitsIsBoundedByTheBytesLeft) {
    const std::vector<uint8_t> bytes(10, 0);
    ByteCursor in(bytes.data(), bytes.size());
    EXPECT_EQ(in.countThatFits(3, 2), 3u);
    EXPECT_EQ(in.countThatFits(60000, 2), 5u);
    in.take(7);
    EXPECT_EQ(in.countThatFits(60000, 4), 0u);
}

}  // namespace
}  // namespace jad
