#include "body/types/ClassLookup.h"

namespace jad::body {

const Method* findMethod(const ClassFile& file, const std::string& name, const std::string& descriptor) {
    for (const Method& m : file.methods) {
        if (m.name == name && m.descriptor == descriptor) return &m;
    }
    return nullptr;
}

bool isAnonymousClassFile(const ClassFile& file) {
    for (const InnerClass& inner : file.innerClasses) {
        if (inner.innerClass == file.thisClass) return inner.outerClass.empty() && inner.simpleName.empty();
    }
    return false;
}

}  // namespace jad::body
