#include "classfile/Attribute.h"

namespace jad {

AttributeHeader readAttributeHeader(ByteCursor& in, const ConstantPool& pool) {
    const std::string& name = pool.utf8(in.u2());
    uint32_t length = in.u4();
    if (length > in.remaining()) {
        throw ClassFormatError{name + " attribute length " + std::to_string(length) + " exceeds the " +
                               std::to_string(in.remaining()) + " bytes left"};
    }
    return AttributeHeader{name, in.sub(length, name, "attribute")};
}

}  // namespace jad
