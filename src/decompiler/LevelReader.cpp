#include "decompiler/LevelReader.h"

#include <memory>
#include <utility>

#include "debug/assertion.h"
#include "decompiler/ClassStructureImpl.h"
#include "decompiler/parser/ParsingResult.h"
#include "util/Helpers.h"

namespace products {
namespace zefra {
namespace decompiler {

namespace {

const char* const SOURCE_PATH = "decompiler/DecompilerImpl";
const unsigned FIELDS = static_cast<unsigned>(parser::RECORD_FIELD_COUNT);

}

LevelReader::LevelReader(util::StringTokenizer& st, const std::string& publicWord,
                         const std::string& protectedWord)
    : _st(st), _public(publicWord), _protected(protectedWord)
{
}

LevelReader::AccessGroup LevelReader::accessGroupOf(const std::string& access) const
{
    if (access.find(_public) != std::string::npos) {
        return AccessGroup::Public;
    }
    if (access.find(_protected) != std::string::npos) {
        return AccessGroup::Protected;
    }
    return AccessGroup::Private;
}

void LevelReader::read(const std::string& text, ClassMembers& topLevel)
{
    _levels.clear();
    enterLevel(0, text, NameAndLine(), AccessGroup::Private);
    while (!_levels.empty()) {
        bool goesOn = readNextRecordOfLevel();
        while (!goesOn && !_levels.empty()) {
            if (_levels.size() == 1) {
                topLevel = std::move(_levels.back().members);
                _levels.clear();
            } else {
                goesOn = finishLevel();
            }
        }
    }
}

bool LevelReader::readNextRecordOfLevel()
{
    try {
        return readNextRecord();
    } catch (...) {
        assertionFailed("false", SOURCE_PATH, __LINE__);
        return false;
    }
}

void LevelReader::enterLevel(std::uint32_t level, std::string text, NameAndLine nameAndLine, AccessGroup group)
{
    _levels.push_back(Level{level, std::move(text), std::move(nameAndLine), group, ClassMembers()});
    if (_st.countTokens() % FIELDS != 0) {
        assertionFailed("st.countTokens() % 5 == 0", SOURCE_PATH, __LINE__);
    }
}

bool LevelReader::readNextRecord()
{
    if (!_st.hasMoreTokens()) {
        return false;
    }
    if (_st.countTokens() < FIELDS) {
        assertionFailed("st.countTokens() >= 5", SOURCE_PATH, __LINE__);
    }
    std::int32_t depth = util::toInt(_st.peekToken(0));
    if (static_cast<std::uint32_t>(depth) < _levels.back().level) {
        return false;
    }
    // The whole record is taken before its numbers are read, so that a bad
    // line or kind leaves the tokenizer at the next record for the enclosing
    // level.
    _st.nextToken();  // the depth, already known
    std::string lineToken = _st.nextToken();
    std::string kindToken = _st.nextToken();
    std::string access = _st.nextToken();
    std::string name = _st.nextToken();
    std::int32_t line = util::toInt(lineToken);
    std::int32_t kind = util::toInt(kindToken);
    AccessGroup group = accessGroupOf(access);
    NameAndLine nameAndLine(std::move(name), line);
    if (kind == parser::RECORD_KIND_CLASS) {
        // The class's members are the following records deeper than the class.
        enterLevel(static_cast<std::uint32_t>(depth) + 1u, std::string(), std::move(nameAndLine), group);
    } else {
        addMember(kind, group, std::move(nameAndLine));
    }
    return true;
}

void LevelReader::addMember(std::int32_t kind, AccessGroup group, NameAndLine nameAndLine)
{
    ClassMembers& members = _levels.back().members;
    if (kind == parser::RECORD_KIND_METHOD) {
        NameAndLineList& list = group == AccessGroup::Public      ? members.publicMethods
                                : group == AccessGroup::Protected ? members.protectedMethods
                                                                  : members.privateMethods;
        list.push_back(std::move(nameAndLine));
    } else if (kind == parser::RECORD_KIND_FIELD) {
        NameAndLineList& list = group == AccessGroup::Public      ? members.publicFields
                                : group == AccessGroup::Protected ? members.protectedFields
                                                                  : members.privateFields;
        list.push_back(std::move(nameAndLine));
    } else {
        assertionFailed("false", SOURCE_PATH, __LINE__);
    }
}

// The finished class becomes a node of the enclosing level; a failure here
// belongs to the enclosing level and ends it too (false).
bool LevelReader::finishLevel()
{
    Level finished = std::move(_levels.back());
    _levels.pop_back();
    Level& parent = _levels.back();
    try {
        OwnedClassStructureList& list = finished.group == AccessGroup::Public      ? parent.members.publicInnerClasses
                                        : finished.group == AccessGroup::Protected ? parent.members.protectedInnerClasses
                                                                                   : parent.members.privateInnerClasses;
        list.push_back(std::make_unique<ClassStructureImpl>(parent.text, std::move(finished.nameAndLine),
                                                            std::move(finished.members)));
        return true;
    } catch (...) {
        assertionFailed("false", SOURCE_PATH, __LINE__);
        return false;
    }
}

}
}
}
