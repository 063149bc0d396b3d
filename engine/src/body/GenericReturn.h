// The modern dialect declares a method's generic result type, while the
// body's values keep their erased types: `return` casts its value to the
// declared type. The cast checks the erasure the bytecode's value has already.
#pragma once

#include <string>

#include "body/MethodBody.h"

namespace jad::body {

struct ReturnCast {
    std::string text;          // "(T)", "(T[])", "(List)"; empty: no cast
    bool onlyCalls = false;    // raw casts only where a call or field read may be typed otherwise
};

ReturnCast genericReturnCast(const BodyRequest& request);

}  // namespace jad::body
