#include "classfile/ConstantPool.h"

namespace jad {

namespace {

std::string describe(uint16_t index, size_t count) {
    return "constant pool index " + std::to_string(index) + " out of range (count " +
           std::to_string(count) + ")";
}

}  // namespace

void ConstantPool::throwOutOfRange(uint16_t index) const {
    throw ClassFormatError{describe(index, _entries.size())};
}

void ConstantPool::throwWrongTag(uint16_t index, ConstantTag expected) const {
    throw ClassFormatError{"constant pool entry " + std::to_string(index) + " has tag " +
                           std::to_string(static_cast<int>(_entries[index].tag)) + ", expected " +
                           std::to_string(static_cast<int>(expected))};
}

MemberRef ConstantPool::nameAndType(uint16_t natIndex) const {
    const Constant& nat = at(natIndex, ConstantTag::NameAndType);
    return MemberRef{std::string(), utf8(nat.a), utf8(nat.b)};
}

MemberRef ConstantPool::memberRef(uint16_t refIndex) const {
    const Constant& ref = at(refIndex);
    if (ref.tag != ConstantTag::Fieldref && ref.tag != ConstantTag::Methodref &&
        ref.tag != ConstantTag::InterfaceMethodref) {
        throw ClassFormatError{"constant pool entry " + std::to_string(refIndex) +
                               " is not a member reference"};
    }
    const Constant& nat = at(ref.b, ConstantTag::NameAndType);
    const std::string& name = utf8(nat.a);
    const std::string& descriptor = utf8(nat.b);
    return MemberRef{className(ref.a), name, descriptor};
}

}  // namespace jad
