// What a collection's elements are, as the generic declarations the output
// prints say: the parameters and fields whose Signature names a collection
// type with its element type argument.
#pragma once

#include <optional>
#include <vector>

#include "body/ir/BodyRequest.h"
#include "body/ir/Ir.h"
#include "body/types/Hierarchy.h"
#include "classfile/Signature.h"

namespace jad::body {

class ElementTypes {
public:
    ElementTypes(const BodyRequest& request, const std::vector<VarPtr>& params, const Hierarchy* hierarchy)
        : _request(request), _params(params), _hierarchy(hierarchy) {}

    // Whether every element of `iterable` converts to `element` without a
    // cast; false whenever that is in doubt.
    bool fit(const Expr& iterable, const JavaType& element) const;

    // `className` implements java.lang.Iterable.
    bool isIterable(const std::string& className) const;

private:
    std::optional<GenericType> declaredType(const Expr& e) const;
    std::optional<JavaType> erasure(const GenericType& type) const;
    bool converts(const JavaType& from, const JavaType& to) const;

    const BodyRequest& _request;
    const std::vector<VarPtr>& _params;
    const Hierarchy* _hierarchy;  // null: only the class itself is known
};

}  // namespace jad::body
