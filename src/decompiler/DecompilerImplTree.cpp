// Building the class-structure tree from the parsing result.

#include <utility>

#include "debug/assertion.h"
#include "decompiler/DecompilerImpl.h"
#include "decompiler/LevelReader.h"
#include "decompiler/parser/ParsingResult.h"
#include "util/parser/StringTokenizerImpl.h"

namespace products {
namespace zefra {
namespace decompiler {

namespace {

const char* const SOURCE_PATH = "decompiler/DecompilerImpl";

std::unique_ptr<ClassStructure> takeFirst(OwnedClassStructureList& nodes)
{
    if (nodes.empty()) {
        return nullptr;
    }
    return std::move(nodes.front());
}

// The first public top-level class, else the first protected, else the first other.
std::unique_ptr<ClassStructure> takeRoot(ClassMembers& topLevel)
{
    if (!topLevel.publicInnerClasses.empty()) {
        return takeFirst(topLevel.publicInnerClasses);
    }
    if (!topLevel.protectedInnerClasses.empty()) {
        return takeFirst(topLevel.protectedInnerClasses);
    }
    return takeFirst(topLevel.privateInnerClasses);
}

}

std::unique_ptr<ClassStructure> DecompilerImpl::buildTree(const std::string& parsingResult,
                                                          const std::string& text) const
{
    try {
        ClassMembers topLevel;
        util::StringTokenizerImpl st(parsingResult, std::string(1, parser::RECORD_SEPARATOR));
        LevelReader(st, _public, _protected).read(text, topLevel);
        std::unique_ptr<ClassStructure> root = takeRoot(topLevel);
        if (root == nullptr) {
            assertionFailed("false", SOURCE_PATH, __LINE__);
        }
        return root;
    } catch (...) {
        assertionFailed("false", SOURCE_PATH, __LINE__);
        return nullptr;
    }
}

}
}
}
