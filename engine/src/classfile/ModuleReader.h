// The Module attribute of module-info.class.
#pragma once

#include "classfile/ByteCursor.h"
#include "classfile/ClassFile.h"
#include "classfile/ReadContext.h"

namespace jad {

ModuleInfo readModule(ByteCursor& in, ReadContext& context);

}  // namespace jad
