// Fields and methods with their attributes.
#pragma once

#include <vector>

#include "classfile/ByteCursor.h"
#include "classfile/ClassFile.h"
#include "classfile/ReadContext.h"

namespace jad {

struct MemberOwner {
    const std::string& thisClass;
    uint16_t majorVersion = 0;
    uint16_t minorVersion = 0;
};

std::vector<Field> readFields(ByteCursor& in, ReadContext& context);
std::vector<Method> readMethods(ByteCursor& in, ReadContext& context, const MemberOwner& owner);

}  // namespace jad
