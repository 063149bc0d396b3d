// One bounded pass over a class file's bytes into the model. Every count,
// length and index is checked against the bytes before use.
#pragma once

#include <cstddef>
#include <cstdint>

#include "classfile/ClassFile.h"

namespace jad {

// Throws ClassFormatError with the reason ("constant pool index 47 out of
// range (count 40)", "truncated at byte 812", ...).
ClassFile readClassFile(const uint8_t* data, size_t size);
// `withCode` false: the methods' Code attributes are skipped, for classes
// whose declarations alone are looked at.
ClassFile readClassFile(const uint8_t* data, size_t size, bool withCode);

}  // namespace jad
