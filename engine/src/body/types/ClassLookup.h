// The class file a name refers to, as code of one class sees it.
#pragma once

#include <string>

#include "body/ir/BodyRequest.h"
#include "classfile/ClassFile.h"

namespace jad::body {

// `owner` itself, or the class the unit finds beside the input; null
// without a unit or when the class is not there.
inline const ClassFile* classOf(const std::string& name, const ClassFile& owner, const UnitContext* unit) {
    if (name == owner.thisClass) return &owner;
    return unit ? unit->findClass(name) : nullptr;
}

// The method of `file` with that name and descriptor; null when none.
const Method* findMethod(const ClassFile& file, const std::string& name, const std::string& descriptor);

// Whether the class file is an anonymous class, as its own InnerClasses entry says.
bool isAnonymousClassFile(const ClassFile& file);

}  // namespace jad::body
