// The Code attribute with its exception table and the attributes inside it.
#pragma once

#include "classfile/ByteCursor.h"
#include "classfile/ClassFile.h"
#include "classfile/ReadContext.h"

namespace jad {

struct CodeOwner {
    const std::string& thisClass;
    const Method& method;
    bool oldLayout = false;  // class files before 45.3 use narrower size fields
};

// Fills `code`, which starts empty.
void readCode(ByteCursor& in, ReadContext& context, const CodeOwner& owner, Code& code);

}  // namespace jad
