#include "body/generics/ErasureCasts.h"

#include <algorithm>

#include "body/generics/GenericTypes.h"
#include "classfile/Signature.h"

namespace jad::body {

namespace {

const TypeParameter* ownVariable(const MethodSignature& signature, const std::string& name) {
    for (const TypeParameter& p : signature.typeParameters) {
        if (p.name == name) return &p;
    }
    return nullptr;
}

// Every variable the type names is one of the method's own.
bool namesOwnVariablesOnly(const MethodSignature& signature, const GenericType& type) {
    if (type.kind == GenericType::Kind::Variable) return ownVariable(signature, type.variable) != nullptr;
    for (const ClassTypePart& part : type.parts) {
        for (const TypeArgument& argument : part.arguments) {
            if (argument.type && !namesOwnVariablesOnly(signature, *argument.type)) return false;
        }
    }
    return true;
}

bool boundsNameOwnVariablesOnly(const MethodSignature& signature, const TypeParameter& variable) {
    if (variable.classBound && !namesOwnVariablesOnly(signature, *variable.classBound)) return false;
    return std::all_of(variable.interfaceBounds.begin(), variable.interfaceBounds.end(),
                       [&](const GenericType& bound) { return namesOwnVariablesOnly(signature, bound); });
}

}  // namespace

bool erasureCastFits(const Method& declared, size_t parameter) {
    if (declared.signature.empty()) return true;
    const auto signature = parseMethodSignature(declared.signature);
    // Synthetic parameters (an inner class's outer instance, an enum's name
    // and ordinal) leave the positions in doubt.
    const auto erased = methodTypeOf(declared.descriptor);
    if (!signature || !erased || signature->parameters.size() != erased->parameters.size()) return false;
    if (parameter >= signature->parameters.size()) return false;
    const GenericType& type = signature->parameters[parameter];
    if (!mentionsVariable(type)) return true;
    if (type.kind != GenericType::Kind::Variable) return false;
    const TypeParameter* own = ownVariable(*signature, type.variable);
    return own && boundsNameOwnVariablesOnly(*signature, *own);
}

bool erasureCastCompiles(const Method& declared, size_t parameter) {
    if (erasureCastFits(declared, parameter)) return true;
    const auto signature = parseMethodSignature(declared.signature);
    const auto erased = methodTypeOf(declared.descriptor);
    if (!signature || !erased || signature->parameters.size() != erased->parameters.size()) return false;
    return parameter < signature->parameters.size() &&
           signature->parameters[parameter].kind == GenericType::Kind::Class;
}

}  // namespace jad::body
