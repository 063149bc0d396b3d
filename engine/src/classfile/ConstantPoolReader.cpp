#include "classfile/ConstantPoolReader.h"

#include <cstring>
#include <string>
#include <vector>

namespace jad {

namespace {

std::string tagError(size_t index, int tag) {
    return "constant pool entry " + std::to_string(index) + " has unknown tag " + std::to_string(tag);
}

float floatFromBits(uint32_t bits) {
    float value;
    static_assert(sizeof value == sizeof bits, "IEEE single precision");
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

double doubleFromBits(uint64_t bits) {
    double value;
    static_assert(sizeof value == sizeof bits, "IEEE double precision");
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// Reads one entry's operands; returns how many slots it takes (2 for long and double).
int readEntry(ByteCursor& in, size_t index, Constant& entry) {
    int tag = in.u1();
    switch (tag) {
    case 1: {
        uint16_t length = in.u2();
        const uint8_t* bytes = in.take(length);
        entry.utf8.assign(reinterpret_cast<const char*>(bytes), length);
        break;
    }
    case 3: entry.intValue = static_cast<int32_t>(in.u4()); break;
    case 4: entry.floatValue = floatFromBits(in.u4()); break;
    case 5: case 6: {
        uint64_t high = in.u4();
        uint64_t bits = (high << 32) | in.u4();
        if (tag == 5) entry.longValue = static_cast<int64_t>(bits);
        else entry.doubleValue = doubleFromBits(bits);
        break;
    }
    case 7: case 8: case 16: case 19: case 20: entry.a = in.u2(); break;
    case 9: case 10: case 11: case 12: case 17: case 18:
        entry.a = in.u2();
        entry.b = in.u2();
        break;
    case 15:
        entry.a = in.u1();
        entry.b = in.u2();
        break;
    default: throw ClassFormatError{tagError(index, tag)};
    }
    entry.tag = static_cast<ConstantTag>(tag);
    return tag == 5 || tag == 6 ? 2 : 1;
}

void checkMethodHandle(const ConstantPool& pool, const Constant& handle, size_t index) {
    const Constant& target = pool.at(handle.b);
    bool fits = false;
    switch (handle.a) {
    case 1: case 2: case 3: case 4: fits = target.tag == ConstantTag::Fieldref; break;
    case 5: case 8: fits = target.tag == ConstantTag::Methodref; break;
    case 6: case 7:
        fits = target.tag == ConstantTag::Methodref || target.tag == ConstantTag::InterfaceMethodref;
        break;
    case 9: fits = target.tag == ConstantTag::InterfaceMethodref; break;
    default:
        throw ClassFormatError{"constant pool entry " + std::to_string(index) +
                               " has unknown method handle kind " + std::to_string(handle.a)};
    }
    if (!fits) {
        throw ClassFormatError{"constant pool entry " + std::to_string(index) +
                               " is a method handle to the wrong kind of member"};
    }
}

// As ConstantPool::nameAndType checks, without copying the texts.
void checkNameAndType(const ConstantPool& pool, uint16_t index) {
    const Constant& nat = pool.at(index, ConstantTag::NameAndType);
    pool.utf8(nat.a);
    pool.utf8(nat.b);
}

void checkReferences(const ConstantPool& pool) {
    for (size_t i = 1; i < pool.count(); ++i) {
        const Constant& entry = pool.at(static_cast<uint16_t>(i));
        switch (entry.tag) {
        case ConstantTag::Class: case ConstantTag::String: case ConstantTag::MethodType:
        case ConstantTag::Module: case ConstantTag::Package:
            pool.utf8(entry.a);
            break;
        case ConstantTag::Fieldref: case ConstantTag::Methodref: case ConstantTag::InterfaceMethodref:
            pool.className(entry.a);
            checkNameAndType(pool, entry.b);
            break;
        case ConstantTag::NameAndType:
            pool.utf8(entry.a);
            pool.utf8(entry.b);
            break;
        case ConstantTag::Dynamic: case ConstantTag::InvokeDynamic:
            checkNameAndType(pool, entry.b);
            break;
        case ConstantTag::MethodHandle:
            checkMethodHandle(pool, entry, i);
            break;
        default: break;
        }
    }
}

}  // namespace

bool isLoadableConstant(ConstantTag tag) {
    switch (tag) {
    case ConstantTag::Integer: case ConstantTag::Float: case ConstantTag::Long: case ConstantTag::Double:
    case ConstantTag::Class: case ConstantTag::String: case ConstantTag::MethodHandle:
    case ConstantTag::MethodType: case ConstantTag::Dynamic:
        return true;
    default:
        return false;
    }
}

ConstantPool readConstantPool(ByteCursor& in) {
    uint16_t count = in.u2();
    if (count == 0) throw ClassFormatError{"constant pool count is 0"};
    // Every entry takes at least three bytes, so a count the bytes cannot
    // hold is refused before anything is allocated for it.
    if (static_cast<size_t>(count - 1) > in.remaining() / 3) {
        throw ClassFormatError{"constant pool count " + std::to_string(count) + " exceeds the file size"};
    }
    std::vector<Constant> entries(count);
    for (size_t i = 1; i < count;) {
        int slots = readEntry(in, i, entries[i]);
        if (slots == 2 && i + 1 >= count) {
            throw ClassFormatError{"constant pool entry " + std::to_string(i) +
                                   " takes two slots but is the last"};
        }
        i += static_cast<size_t>(slots);
    }
    ConstantPool pool(std::move(entries));
    checkReferences(pool);
    return pool;
}

}  // namespace jad
