#include "body/types/ClassLookup.h"

namespace jad::body {

bool isAnonymousClassFile(const ClassFile& file) {
    for (const InnerClass& inner : file.innerClasses) {
        if (inner.innerClass == file.thisClass) return inner.outerClass.empty() && inner.simpleName.empty();
    }
    return false;
}

}  // namespace jad::body
