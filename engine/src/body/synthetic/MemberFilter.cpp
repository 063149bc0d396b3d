#include "body/synthetic/MemberFilter.h"

#include "body/decode/BridgeTarget.h"
#include "body/decode/EnumValues.h"
#include "classfile/AccessFlags.h"
#include "print/Names.h"

namespace jad {

namespace {

std::string parameterPart(const std::string& descriptor) {
    size_t close = descriptor.find(')');
    return close == std::string::npos ? descriptor : descriptor.substr(0, close + 1);
}

bool isBridge(const Method& method) { return (method.access & access::Bridge) != 0; }

// Whether the class's own declaration gives type arguments to a direct
// supertype ("Comparable<Foo>"), which the erased output drops: only then
// does the source need the bridges that implement the raw supertype.
bool hasParameterizedSupertype(const ClassFile& owner) {
    const std::string& signature = owner.signature;
    size_t pos = 0;
    if (!signature.empty() && signature[0] == '<') {
        int depth = 0;
        for (; pos < signature.size(); ++pos) {
            if (signature[pos] == '<') ++depth;
            if (signature[pos] == '>' && --depth == 0) break;
        }
        ++pos;
    }
    return pos < signature.size() && signature.find('<', pos) != std::string::npos;
}

}  // namespace

bool isAssertionFlag(const Field& field) {
    return field.name == "$assertionsDisabled" && field.descriptor == "Z" && (field.access & access::Static);
}

bool isEnumValuesField(const Field& field) {
    return field.name == "$VALUES" && field.descriptor.rfind("[L", 0) == 0 && (field.access & access::Static);
}

bool isHiddenField(const Field& field) {
    return isSynthetic(field) && !isAssertionFlag(field) && !isEnumValuesField(field);
}

std::string assertionFlagName(const ClassFile& owner) { return legalSyntheticName(owner, "$assertionsDisabled", false); }

std::string legalSyntheticName(const ClassFile& owner, const std::string& name, bool isMethod) {
    std::string base;
    for (char c : name) {
        if (c != '$') base += c;
    }
    if (base.empty() || !isPlainIdentifier(base)) base = isMethod ? "syntheticMethod" : "syntheticField";
    auto taken = [&](const std::string& candidate) {
        if (isMethod) {
            for (const auto& method : owner.methods) {
                if (method.name == candidate) return true;
            }
            return false;
        }
        for (const auto& field : owner.fields) {
            if (field.name == candidate) return true;
        }
        return false;
    };
    std::string candidate = base;
    for (int suffix = 1; taken(candidate); ++suffix) candidate = base + std::to_string(suffix);
    return candidate;
}

std::string printedFieldName(const ClassFile& owner, const Field& field) {
    // a field the source declared keeps its name, whatever it is
    const bool kept = isSynthetic(field) && !isHiddenField(field);
    return kept && field.name.find('$') != std::string::npos ? legalSyntheticName(owner, field.name, false)
                                                             : displayName(field.name);
}

std::string printedMethodName(const ClassFile& owner, const Method& method) {
    const bool synthetic = isSynthetic(method);
    return synthetic && method.name.find('$') != std::string::npos ? legalSyntheticName(owner, method.name, true)
                                                                   : displayName(method.name);
}

bool isHiddenMethod(const ClassFile& owner, const Method& method) {
    if (method.name == "$values" && isSynthetic(method)) {
        return body::enumValuesArray(owner, method).has_value();
    }
    if (!isBridge(method)) return isSynthetic(method);
    // Bridges for type arguments given further up are the compiler's again.
    if (!hasParameterizedSupertype(owner)) return true;
    std::string parameters = parameterPart(method.descriptor);
    // The bridged method may be inherited; the bridge's call names it.
    if (auto target = bridgeTarget(owner, method)) {
        if (target->name == method.name && parameterPart(target->descriptor) == parameters) return true;
    }
    for (const Method& other : owner.methods) {
        if (&other == &method || other.name != method.name) continue;
        if (parameterPart(other.descriptor) != parameters) continue;
        // Same parameters: the method it bridges, or an earlier bridge that
        // is printed already.
        if (!isBridge(other) || &other < &method) return true;
    }
    return false;
}

}  // namespace jad
