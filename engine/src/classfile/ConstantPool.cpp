#include "classfile/ConstantPool.h"

namespace jad {

namespace {

std::string describe(uint16_t index, size_t count) {
    return "constant pool index " + std::to_string(index) + " out of range (count " +
           std::to_string(count) + ")";
}

}  // namespace

const Constant& ConstantPool::at(uint16_t index) const {
    if (index == 0 || index >= _entries.size()) throw ClassFormatError{describe(index, _entries.size())};
    return _entries[index];
}

const Constant& ConstantPool::at(uint16_t index, ConstantTag tag) const {
    const Constant& entry = at(index);
    if (entry.tag != tag) {
        throw ClassFormatError{"constant pool entry " + std::to_string(index) + " has tag " +
                               std::to_string(static_cast<int>(entry.tag)) + ", expected " +
                               std::to_string(static_cast<int>(tag))};
    }
    return entry;
}

const std::string& ConstantPool::utf8(uint16_t index) const {
    return at(index, ConstantTag::Utf8).utf8;
}

const std::string& ConstantPool::className(uint16_t classIndex) const {
    return utf8(at(classIndex, ConstantTag::Class).a);
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
    MemberRef result = nameAndType(ref.b);
    result.owner = className(ref.a);
    return result;
}

}  // namespace jad
