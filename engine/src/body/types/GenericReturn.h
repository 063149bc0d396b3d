// The modern dialect declares a method's generic result type, while the
// body's values keep their erased types: `return` casts its value to the
// declared type. The cast checks the erasure the bytecode's value has already.
#pragma once

#include <string>

#include <map>

#include "body/ir/BodyRequest.h"
#include "body/ir/Ir.h"

namespace jad::body {

struct ReturnCast {
    std::string text;          // "(T)", "(T[])", "(List)"; empty: no cast
    bool onlyCalls = false;    // raw casts only where a call or field read may be typed otherwise
};

ReturnCast genericReturnCast(const BodyRequest& request);

// The same for what is stored in the class's own fields of generic types,
// by field name (the modern dialect's only).
std::map<std::string, ReturnCast> genericFieldCasts(const ClassFile& owner, const TypeNamer& types,
                                                    const PrintOptions& options);

// Whether a value of kind `kind` and type `type` gets the cast.
bool takesCast(const ReturnCast& cast, const Expr& value);

}  // namespace jad::body
