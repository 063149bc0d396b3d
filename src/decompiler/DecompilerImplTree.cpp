// Building the class-structure tree from the parsing result.

#include <stdexcept>
#include <utility>

#include "debug/assertion.h"
#include "decompiler/ClassStructureImpl.h"
#include "decompiler/DecompilerImpl.h"
#include "decompiler/parser/ParsingResult.h"
#include "util/Helpers.h"
#include "util/parser/StringTokenizerImpl.h"

namespace products {
namespace zefra {
namespace decompiler {

namespace {

const char* const SOURCE_PATH = "decompiler/DecompilerImpl";
const unsigned FIELDS = static_cast<unsigned>(parser::RECORD_FIELD_COUNT);

// Deeper than any parse can nest classes; guards the recursion against
// hand-made parsing results.
const std::uint32_t MAX_CLASS_NESTING = 10000;

std::unique_ptr<ClassStructure> takeFirst(OwnedClassStructureList& nodes)
{
    if (nodes.empty()) {
        return nullptr;
    }
    return std::move(nodes.front());
}

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

DecompilerImpl::AccessGroup DecompilerImpl::accessGroupOf(const std::string& access) const
{
    if (access.find(_public) != std::string::npos) {
        return AccessGroup::Public;
    }
    if (access.find(_protected) != std::string::npos) {
        return AccessGroup::Protected;
    }
    return AccessGroup::Private;
}

std::unique_ptr<ClassStructure> DecompilerImpl::buildTree(const std::string& parsingResult,
                                                          const std::string& text) const
{
    try {
        ClassMembers topLevel;
        util::StringTokenizerImpl st(parsingResult, std::string(1, parser::RECORD_SEPARATOR));
        buildLevel(st, text, topLevel, 0, 0);
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

void DecompilerImpl::buildLevel(util::StringTokenizer& st, const std::string& text, ClassMembers& members,
                                std::uint32_t level, std::uint32_t nesting) const
{
    try {
        if (st.countTokens() % FIELDS != 0) {
            assertionFailed("st.countTokens() % 5 == 0", SOURCE_PATH, __LINE__);
        }
        while (st.hasMoreTokens()) {
            if (st.countTokens() < FIELDS) {
                assertionFailed("st.countTokens() >= 5", SOURCE_PATH, __LINE__);
            }
            std::int32_t depth = util::toInt(st.peekToken(0));
            if (static_cast<std::uint32_t>(depth) < level) {
                return;
            }
            readRecord(st, text, members, nesting);
        }
    } catch (...) {
        assertionFailed("false", SOURCE_PATH, __LINE__);
    }
}

void DecompilerImpl::readRecord(util::StringTokenizer& st, const std::string& text, ClassMembers& members,
                                std::uint32_t nesting) const
{
    std::int32_t depth = util::toInt(st.nextToken());
    std::int32_t line = util::toInt(st.nextToken());
    std::int32_t kind = util::toInt(st.nextToken());
    AccessGroup group = accessGroupOf(st.nextToken());
    NameAndLine nameAndLine(st.nextToken(), line);

    if (kind == parser::RECORD_KIND_METHOD || kind == parser::RECORD_KIND_FIELD) {
        bool isMethod = kind == parser::RECORD_KIND_METHOD;
        NameAndLineList& list = group == AccessGroup::Public      ? (isMethod ? members.publicMethods : members.publicFields)
                                : group == AccessGroup::Protected ? (isMethod ? members.protectedMethods : members.protectedFields)
                                                                  : (isMethod ? members.privateMethods : members.privateFields);
        list.push_back(std::move(nameAndLine));
    } else if (kind == parser::RECORD_KIND_CLASS) {
        OwnedClassStructureList& list = group == AccessGroup::Public      ? members.publicInnerClasses
                                        : group == AccessGroup::Protected ? members.protectedInnerClasses
                                                                          : members.privateInnerClasses;
        list.push_back(readClass(st, text, depth, std::move(nameAndLine), nesting));
    } else {
        assertionFailed("false", SOURCE_PATH, __LINE__);
    }
}

std::unique_ptr<ClassStructure> DecompilerImpl::readClass(util::StringTokenizer& st, const std::string& text,
                                                          std::int32_t depth, NameAndLine nameAndLine,
                                                          std::uint32_t nesting) const
{
    if (nesting >= MAX_CLASS_NESTING) {
        throw std::length_error("classes nested too deeply");
    }
    ClassMembers members;
    // The class's members are the following records deeper than the class.
    std::uint32_t memberLevel = static_cast<std::uint32_t>(depth) + 1u;
    buildLevel(st, std::string(), members, memberLevel, nesting + 1);
    return std::make_unique<ClassStructureImpl>(text, std::move(nameAndLine), std::move(members));
}

}
}
}
