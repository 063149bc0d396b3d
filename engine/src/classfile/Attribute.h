// The common header of every attribute: a name and a length.
#pragma once

#include <string>

#include "classfile/ByteCursor.h"
#include "classfile/ConstantPool.h"
#include "classfile/ReadContext.h"

namespace jad {

struct AttributeHeader {
    const std::string& name;
    AttributeKind kind;  // never Unread
    ByteCursor body;  // exactly the attribute's content; unknown ones are skipped by leaving it unread
};

AttributeHeader readAttributeHeader(ByteCursor& in, ReadContext& context);

// What an attribute name stands for; Other for names no reader acts on.
AttributeKind attributeKindOf(const std::string& name);

}  // namespace jad
