#include "body/decode/EnumValues.h"

#include "body/decode/BytecodeMatch.h"

namespace jad::body {

namespace {

// Bounds the work for a class file that claims a huge array.
constexpr int32_t MaxConstants = 65536;

class ValuesReader {
public:
    ValuesReader(const ClassFile& owner, const std::vector<Instruction>& code) : _owner(owner), _code(code) {}

    std::optional<std::vector<std::string>> read() {
        auto count = pushedInt(next());
        if (!count || *count < 0 || *count > MaxConstants) return std::nullopt;
        const Instruction& create = next();
        if (create.opcode != op::anewarray || className(create) != _owner.thisClass) return std::nullopt;
        std::vector<std::string> names;
        for (int32_t i = 0; i < *count; ++i) {
            if (next().opcode != op::dup || pushedInt(next()) != i) return std::nullopt;
            const Instruction& load = next();
            if (load.opcode != op::getstatic) return std::nullopt;
            MemberRef ref = member(load);
            if (ref.owner != _owner.thisClass || ref.descriptor != "L" + _owner.thisClass + ";") return std::nullopt;
            if (next().opcode != op::aastore) return std::nullopt;
            names.push_back(ref.name);
        }
        if (next().opcode != op::areturn || _at != _code.size()) return std::nullopt;
        return names;
    }

private:
    const Instruction& next() {
        static const Instruction none{};  // a nop
        return _at < _code.size() ? _code[_at++] : none;
    }
    std::string className(const Instruction& insn) const {
        try {
            return _owner.pool.className(static_cast<uint16_t>(insn.index));
        } catch (const ClassFormatError&) {
            return std::string();
        }
    }
    MemberRef member(const Instruction& insn) const {
        try {
            return _owner.pool.memberRef(static_cast<uint16_t>(insn.index));
        } catch (const ClassFormatError&) {
            return MemberRef();
        }
    }

    const ClassFile& _owner;
    const std::vector<Instruction>& _code;
    size_t _at = 0;
};

}  // namespace

std::optional<std::vector<std::string>> enumValuesArray(const ClassFile& owner, const Method& method) {
    if (method.name != "$values" || method.descriptor != "()[L" + owner.thisClass + ";" || !method.code) return std::nullopt;
    const DecodedCode decoded = decode(*method.code, owner.pool);
    if (!decoded.ok()) return std::nullopt;
    return ValuesReader(owner, decoded.instructions).read();
}

}  // namespace jad::body
