#include "decl/MemberFilter.h"

#include "classfile/AccessFlags.h"
#include "decl/BridgeTarget.h"

namespace jad {

namespace {

bool isSynthetic(uint16_t access, bool attribute) { return attribute || (access & access::Synthetic); }

std::string parameterPart(const std::string& descriptor) {
    size_t close = descriptor.find(')');
    return close == std::string::npos ? descriptor : descriptor.substr(0, close + 1);
}

bool isBridge(const Method& method) { return (method.access & access::Bridge) != 0; }

}  // namespace

bool isHiddenField(const Field& field) { return isSynthetic(field.access, field.syntheticAttribute); }

bool isHiddenMethod(const ClassFile& owner, const Method& method) {
    if (!isBridge(method)) return isSynthetic(method.access, method.syntheticAttribute);
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
