#include "body/GenericReturn.h"

#include "classfile/Descriptor.h"
#include "classfile/Signature.h"
#include "print/Names.h"

namespace jad::body {

namespace {

bool declares(const std::vector<TypeParameter>& parameters, const std::string& name) {
    for (const auto& parameter : parameters) {
        if (parameter.name == name) return true;
    }
    return false;
}

}  // namespace

ReturnCast genericReturnCast(const BodyRequest& request) {
    ReturnCast cast;
    if (!request.options.modern || request.method.signature.empty()) return cast;
    auto signature = parseMethodSignature(request.method.signature);
    auto type = methodTypeOf(request.method.descriptor);
    if (!signature || !type || !type->returnType.isReference()) return cast;
    const GenericType& result = signature->result;
    if (result.dimensions != type->returnType.dimensions) return cast;
    std::string dimensions;
    for (int i = 0; i < result.dimensions; ++i) dimensions += "[]";
    if (result.kind == GenericType::Kind::Variable) {
        // Only a variable the output declares: the method's own, or its class's.
        bool declared = declares(signature->typeParameters, result.variable);
        if (!declared && !request.owner.signature.empty()) {
            auto owner = parseClassSignature(request.owner.signature);
            declared = owner && declares(owner->typeParameters, result.variable);
        }
        if (declared) cast.text = "(" + displayName(result.variable) + dimensions + ")";
        return cast;
    }
    if (result.kind == GenericType::Kind::Class && result.hasArguments() && result.className() ==
                                                                             (type->returnType.base == 'L' ? type->returnType.className : std::string())) {
        cast.text = "(" + request.types.typeName(type->returnType) + ")";
        cast.onlyCalls = true;
    }
    return cast;
}

}  // namespace jad::body
