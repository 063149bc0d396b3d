// The constant pool, validated as a whole when read: every cross-reference
// between entries has the right tag, so typed accessors only check the index
// a caller brings (from bytecode operands, for instance).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace jad {

enum class ConstantTag : uint8_t {
    None = 0,  // slot 0 and the slot after a long or double
    Utf8 = 1, Integer = 3, Float = 4, Long = 5, Double = 6, Class = 7,
    String = 8, Fieldref = 9, Methodref = 10, InterfaceMethodref = 11,
    NameAndType = 12, MethodHandle = 15, MethodType = 16, Dynamic = 17,
    InvokeDynamic = 18, Module = 19, Package = 20,
};

struct Constant {
    ConstantTag tag = ConstantTag::None;
    // Index operands, by tag: Class, String, MethodType, Module, Package: a;
    // refs: a = class, b = name-and-type; NameAndType: a = name, b = descriptor;
    // MethodHandle: a = reference kind, b = reference; Dynamic and
    // InvokeDynamic: a = bootstrap method index, b = name-and-type.
    uint16_t a = 0;
    uint16_t b = 0;
    int32_t intValue = 0;
    int64_t longValue = 0;
    float floatValue = 0;
    double doubleValue = 0;
    std::string utf8;  // Utf8: the bytes as stored (modified UTF-8)
};

struct MemberRef {
    std::string owner;  // internal name or array descriptor
    std::string name;
    std::string descriptor;
};

// Thrown for a malformed class file; the message is the reason alone, the
// program prefixes the file name.
struct ClassFormatError {
    std::string reason;
};

class ConstantPool {
public:
    ConstantPool() = default;
    explicit ConstantPool(std::vector<Constant> entries) : _entries(std::move(entries)) {}

    // constant_pool_count: valid indexes are 1 .. count() - 1.
    uint16_t count() const { return static_cast<uint16_t>(_entries.size()); }

    // The entry at `index`, which must exist and carry `tag`; ClassFormatError otherwise.
    const Constant& at(uint16_t index, ConstantTag tag) const {
        const Constant& entry = at(index);
        if (entry.tag != tag) throwWrongTag(index, tag);
        return entry;
    }
    // The entry at `index` whatever its tag (None for unusable slots).
    const Constant& at(uint16_t index) const {
        if (index == 0 || index >= _entries.size()) throwOutOfRange(index);
        return _entries[index];
    }

    const std::string& utf8(uint16_t index) const { return at(index, ConstantTag::Utf8).utf8; }
    const std::string& className(uint16_t classIndex) const { return utf8(at(classIndex, ConstantTag::Class).a); }
    MemberRef memberRef(uint16_t refIndex) const;  // any of the three ref tags
    MemberRef nameAndType(uint16_t natIndex) const;  // owner left empty

private:
    // Out of line: every accessor checks, hardly any check fails.
    [[noreturn]] void throwOutOfRange(uint16_t index) const;
    [[noreturn]] void throwWrongTag(uint16_t index, ConstantTag expected) const;

    std::vector<Constant> _entries;
};

}  // namespace jad
