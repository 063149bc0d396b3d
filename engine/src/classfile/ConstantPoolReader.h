// Reads and cross-checks the constant pool, the first part of a class file.
#pragma once

#include "classfile/ByteCursor.h"
#include "classfile/ConstantPool.h"

namespace jad {

// Reads constant_pool_count and the entries; every reference between entries
// is checked for range and tag. Bootstrap indexes are checked later, once the
// BootstrapMethods attribute is known.
ConstantPool readConstantPool(ByteCursor& in);

// Tags that ldc, bootstrap arguments and annotation constants may name.
bool isLoadableConstant(ConstantTag tag);

}  // namespace jad
