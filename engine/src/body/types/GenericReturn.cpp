#include "body/types/GenericReturn.h"

#include "classfile/Descriptor.h"
#include "classfile/Signature.h"
#include "classfile/SignatureCache.h"
#include "print/Names.h"

namespace jad::body {

namespace {

bool declares(const std::vector<TypeParameter>& parameters, const std::string& name) {
    for (const auto& parameter : parameters) {
        if (parameter.name == name) return true;
    }
    return false;
}

// The cast to `declared` for a value of the erased type `erased`.
ReturnCast castTo(const GenericType& declared, const JavaType& erased, const std::vector<TypeParameter>* own,
                  const ClassFile& owner, const TypeNamer& types) {
    ReturnCast cast;
    if (!erased.isReference() || declared.dimensions != erased.dimensions) return cast;
    std::string dimensions;
    for (int i = 0; i < declared.dimensions; ++i) dimensions += "[]";
    if (declared.kind == GenericType::Kind::Variable) {
        // Only a variable the output declares: the method's own, or its class's.
        bool declaredHere = own && declares(*own, declared.variable);
        if (!declaredHere && !owner.signature.empty()) {
            auto signature = cachedClassSignature(owner.signature);
            declaredHere = signature && declares(signature->typeParameters, declared.variable);
        }
        if (declaredHere) cast.text = "(" + displayName(declared.variable) + dimensions + ")";
        return cast;
    }
    if (declared.kind == GenericType::Kind::Class && declared.hasArguments() && erased.base == 'L' &&
        declared.className() == erased.className) {
        cast.text = "(" + types.typeName(erased) + ")";
        cast.onlyCalls = true;
    }
    return cast;
}

}  // namespace

ReturnCast genericReturnCast(const BodyRequest& request) {
    if (!request.options.modern || request.method.signature.empty()) return ReturnCast{};
    auto signature = cachedMethodSignature(request.method.signature);
    auto type = methodTypeOf(request.method.descriptor);
    if (!signature || !type) return ReturnCast{};
    return castTo(signature->result, type->returnType, &signature->typeParameters, request.owner, request.types);
}

std::map<std::string, ReturnCast> genericFieldCasts(const ClassFile& owner, const TypeNamer& types,
                                                    const PrintOptions& options) {
    std::map<std::string, ReturnCast> casts;
    if (!options.modern) return casts;
    for (const Field& field : owner.fields) {
        if (field.signature.empty()) continue;
        auto declared = cachedFieldSignature(field.signature);
        auto erased = parseFieldDescriptor(field.descriptor);
        if (!declared || !erased) continue;
        ReturnCast cast = castTo(*declared, *erased, nullptr, owner, types);
        if (!cast.text.empty()) casts.emplace(field.name, std::move(cast));
    }
    return casts;
}

bool takesCast(const ReturnCast& cast, const Expr& value) {
    if (cast.text.empty() || value.kind == ExprKind::Null || !value.type.isReference()) return false;
    if (!cast.onlyCalls) return true;
    return value.kind == ExprKind::Invoke || value.kind == ExprKind::Field || value.kind == ExprKind::Conditional;
}

}  // namespace jad::body
