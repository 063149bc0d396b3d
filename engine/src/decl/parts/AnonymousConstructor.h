// What javac's constructor of an anonymous class does with its parameters:
// it stores the enclosing instance and the captured locals in synthetic
// fields, passes the rest on to the super constructor, then runs the
// class's instance initializers. Read from the code, not from positions.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "classfile/ClassFile.h"

namespace jad {

struct AnonymousConstructor {
    std::vector<std::string> storedIn;    // per parameter: the field it is stored in, or empty
    std::vector<size_t> superArguments;   // parameters passed to the super constructor, in order
    bool initializer = false;             // code after the super call besides `return`
};

// The fields the constructor's first steps store its parameters in, per
// parameter (empty where none): `this.f = parameter` until the first other step.
std::vector<std::string> readPrologueStores(const ClassFile& owner, const Method& constructor);

// Nothing when the code before the super call is more than that plumbing.
std::optional<AnonymousConstructor> readAnonymousConstructor(const ClassFile& owner, const Method& constructor);

}  // namespace jad
