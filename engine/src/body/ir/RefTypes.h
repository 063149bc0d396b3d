// The type of a reference local without debug information or a stack map
// frame. The source's declared type lies between the values it is given and
// every type a use asks of it: the least common type of the values serves
// unless a store into it says otherwise, and where the values disagree the
// one type all uses ask for is taken.
#pragma once

#include <vector>

#include "classfile/Descriptor.h"

namespace jad::body {

struct RefEvidence {
    std::vector<JavaType> values;  // types of the non-null values assigned
    bool inexact = false;          // some value's type is itself a guess
    bool tested = false;           // an operand of instanceof or a cast
    bool array = false;            // indexed or asked for its length
    // Reference values stored into its elements: depth 1 for x[i] = v.
    std::vector<std::pair<int, JavaType>> stores;
    std::vector<JavaType> asked;   // types that direct uses require
};

struct RefDecision {
    JavaType type;
    bool exact = false;  // every value has this very type
};

// `current` is what the local has so far (kept when nothing says more).
RefDecision decideReference(const JavaType& current, const RefEvidence& ev);

// The least common type of two reference types, as far as it is known
// without the class hierarchy: equal types, arrays of references element by
// element, Object otherwise.
JavaType commonType(const JavaType& a, const JavaType& b);

}  // namespace jad::body
