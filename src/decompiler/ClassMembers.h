#pragma once

#include <memory>
#include <vector>

#include "decompiler/ClassStructure.h"
#include "decompiler/NameAndLine.h"

namespace products {
namespace zefra {
namespace decompiler {

using OwnedClassStructureList = std::vector<std::unique_ptr<ClassStructure>>;

// What one nesting level of the parsing result declares, sorted by kind and
// access group.
struct ClassMembers {
    NameAndLineList publicMethods;
    NameAndLineList protectedMethods;
    NameAndLineList privateMethods;
    NameAndLineList publicFields;
    NameAndLineList protectedFields;
    NameAndLineList privateFields;
    OwnedClassStructureList publicInnerClasses;
    OwnedClassStructureList protectedInnerClasses;
    OwnedClassStructureList privateInnerClasses;
};

}
}
}
