#include "body/sugar/EnumSwitch.h"

#include <set>

#include "body/decode/BytecodeMatch.h"
#include "body/ir/Failure.h"
#include "body/ir/Walk.h"

namespace jad::body {

namespace {

const char* const MapPrefix = "$SwitchMap$";

std::optional<MemberRef> memberAt(const ConstantPool& pool, const Instruction& insn) {
    try {
        return pool.memberRef(static_cast<uint16_t>(insn.index));
    } catch (const ClassFormatError&) {
        return std::nullopt;
    }
}

// getstatic map; getstatic E.C; invokevirtual E.ordinal()I; push k; iastore
// (the try/catch of NoSuchFieldError around it does not matter here).
bool readEntry(const ConstantPool& pool, const std::vector<Instruction>& code, size_t i, const std::string& mapClass,
               const std::string& field, const std::string& enumClass, int32_t& key, std::string& constant) {
    if (i + 5 > code.size()) return false;
    if (code[i].opcode != op::getstatic || code[i + 1].opcode != op::getstatic ||
        code[i + 2].opcode != op::invokevirtual || code[i + 4].opcode != op::iastore) return false;
    auto map = memberAt(pool, code[i]);
    auto value = memberAt(pool, code[i + 1]);
    auto ordinal = memberAt(pool, code[i + 2]);
    auto number = pushedInt(code[i + 3]);
    if (!map || !value || !ordinal || !number) return false;
    if (map->owner != mapClass || map->name != field || map->descriptor != "[I") return false;
    if (value->owner != enumClass || value->descriptor != "L" + enumClass + ";") return false;
    if (ordinal->owner != enumClass || ordinal->name != "ordinal" || ordinal->descriptor != "()I") return false;
    key = *number;
    constant = value->name;
    return true;
}

struct EnumSelector {
    std::string mapClass, field, enumClass;
    ExprPtr value;  // the enum value switched on
};

// Map.$SwitchMap$E[value.ordinal()]
std::optional<EnumSelector> enumSelector(const Expr& e) {
    if (e.kind != ExprKind::ArrayElement || e.args.size() != 2) return std::nullopt;
    const Expr& table = *e.args[0];
    const Expr& index = *e.args[1];
    if (table.kind != ExprKind::Field || !table.isStatic || table.name.rfind(MapPrefix, 0) != 0) return std::nullopt;
    if (index.kind != ExprKind::Invoke || index.isStatic || index.name != "ordinal" || index.descriptor != "()I" ||
        index.args.size() != 1) return std::nullopt;
    return EnumSelector{table.owner, table.name, index.owner, index.args[0]};
}

void recoverOne(Stmt& s, const EnumSelector& selector, const UnitContext* unit) {
    const Unsupported notFound{"enum switch map not found"};
    const ClassFile* mapClass = unit ? unit->findClass(selector.mapClass) : nullptr;
    if (!mapClass) throw notFound;
    const std::map<int32_t, std::string> table = readSwitchMap(*mapClass, selector.field, selector.enumClass);
    std::set<std::string> used;
    for (SwitchArm& arm : s.arms) {
        arm.labels.clear();
        for (int32_t key : arm.keys) {
            auto found = table.find(key);
            if (found == table.end() || !used.insert(found->second).second) throw notFound;
            arm.labels.push_back(makeEnumConstant(selector.enumClass, found->second));
        }
    }
    s.expr = selector.value;
}

}  // namespace

std::map<int32_t, std::string> readSwitchMap(const ClassFile& mapClass, const std::string& field,
                                             const std::string& enumClass) {
    const Method* init = methodWithCode(mapClass, "<clinit>", "()V");
    if (!init) return {};
    const DecodedCode decoded = decode(*init->code, mapClass.pool);
    if (!decoded.ok()) return {};
    std::map<int32_t, std::string> table;
    const auto& code = decoded.instructions;
    for (size_t i = 0; i < code.size(); ++i) {
        int32_t key = 0;
        std::string constant;
        if (!readEntry(mapClass.pool, code, i, mapClass.thisClass, field, enumClass, key, constant)) continue;
        auto [at, fresh] = table.emplace(key, constant);
        if (!fresh && at->second != constant) return {};
        i += 4;
    }
    return table;
}

void recoverEnumSwitches(StmtList& body, const UnitContext* unit) {
    visitLists(body, [&](StmtList& list) {
        for (StmtPtr& s : list) {
            if (s->kind != StmtKind::Switch || !s->expr) continue;
            if (auto selector = enumSelector(*s->expr)) recoverOne(*s, *selector, unit);
        }
    });
}

}  // namespace jad::body
