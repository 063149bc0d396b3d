#include "decl/parts/ParameterNames.h"

#include <set>

#include "body/structure/Declare.h"
#include "body/types/OuterInstances.h"
#include "classfile/AccessFlags.h"
#include "print/Names.h"

namespace jad {

namespace {

const char* primitiveHint(char base) {
    switch (base) {
    case 'B': return "b";
    case 'C': return "c";
    case 'D': return "d";
    case 'F': return "f";
    case 'J': return "l";
    case 'S': return "sh";
    case 'Z': return "flag";
    default: return "i";
    }
}

std::string classHint(const std::string& sourceName) {
    size_t dot = sourceName.rfind('.');
    std::string simple = dot == std::string::npos ? sourceName : sourceName.substr(dot + 1);
    if (simple == "String") return "s";
    if (simple == "Object") return "obj";
    std::string hint;
    for (char c : simple) {
        bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        bool digit = c >= '0' && c <= '9';
        if (letter || (digit && !hint.empty())) hint += c;
    }
    if (hint.empty()) return "obj";
    if (hint[0] >= 'A' && hint[0] <= 'Z') hint[0] = static_cast<char>(hint[0] - 'A' + 'a');
    return hint;
}

const std::string& noName() {
    static const std::string empty;
    return empty;
}

// The name a LocalVariableTable gives the parameter in `slot`.
const std::string& localName(const Method& method, uint16_t slot) {
    if (!method.code) return noName();
    for (const auto& local : method.code->locals) {
        if (local.slot == slot && local.startPc == 0) return local.name;
    }
    return noName();
}

const std::string& recordedName(const Method& method, size_t index, uint16_t slot, size_t count) {
    // javac leaves out MethodParameters entries only for some synthetic
    // parameters, so a list of the wrong length cannot be matched up.
    if (method.parameters.size() == count && !method.parameters[index].name.empty()) {
        return method.parameters[index].name;
    }
    return localName(method, slot);
}

std::string unique(const std::string& base, std::set<std::string>& taken) {
    std::string name = isPlainIdentifier(base) ? base : base + "1";
    for (int suffix = 1; taken.count(name) || !isPlainIdentifier(name); ++suffix) {
        name = base + std::to_string(suffix);
    }
    taken.insert(name);
    return name;
}

}  // namespace

std::set<std::string> capturedLocalNames(const ClassFile& file, const UnitContext* unit) {
    std::set<std::string> names;
    if (!unit) return names;
    // A class nested in an anonymous class reads that class's captures too,
    // through its outer instance.
    for (const std::string& cls : body::enclosingInstances(file, unit)) {
        if (const auto* captured = unit->capturedNames(cls)) {
            for (const auto& entry : *captured) {
                if (!entry.second.empty()) names.insert(entry.second);
            }
        }
    }
    return names;
}

void keepClearOf(const std::set<std::string>& captured, std::vector<std::string>& names) {
    if (captured.empty()) return;
    std::set<std::string> taken(captured);
    taken.insert(names.begin(), names.end());
    for (std::string& name : names) {
        if (!captured.count(name)) continue;
        name = body::freshName(name, taken);
        taken.insert(name);
    }
}

std::string nameForType(const JavaType& type, const TypeNamer& types) {
    std::string hint = type.base == 'L' ? classHint(types.className(type.className)) : primitiveHint(type.base);
    return type.isArray() ? "a" + hint : hint;
}

std::vector<std::string> parameterNames(const Method& method, const std::vector<JavaType>& parameters,
                                        const TypeNamer& types) {
    std::vector<std::string> names(parameters.size());
    std::set<std::string> taken;
    uint16_t slot = (method.access & access::Static) ? 0 : 1;
    for (size_t i = 0; i < parameters.size(); ++i) {
        std::string name = displayName(recordedName(method, i, slot, parameters.size()));
        if (isPlainIdentifier(name) && taken.insert(name).second) names[i] = std::move(name);
        slot = static_cast<uint16_t>(slot + parameters[i].slots());
    }
    for (size_t i = 0; i < parameters.size(); ++i) {
        if (names[i].empty()) names[i] = unique(nameForType(parameters[i], types), taken);
    }
    return names;
}

}  // namespace jad
