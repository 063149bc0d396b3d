#include "classfile/ByteCursor.h"

namespace jad {

void ByteCursor::throwOverrun() const {
    if (*_kind == 0) throw ClassFormatError{"truncated at byte " + std::to_string(_base + _size)};
    throw ClassFormatError{context() + " overruns its length at byte " + std::to_string(_base + _size)};
}

}  // namespace jad
