// The common header of every attribute: a name and a length.
#pragma once

#include <string>

#include "classfile/ByteCursor.h"
#include "classfile/ConstantPool.h"

namespace jad {

struct AttributeHeader {
    const std::string& name;
    ByteCursor body;  // exactly the attribute's content; unknown ones are skipped by leaving it unread
};

AttributeHeader readAttributeHeader(ByteCursor& in, const ConstantPool& pool);

}  // namespace jad
