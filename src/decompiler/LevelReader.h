#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "decompiler/ClassMembers.h"
#include "util/parser/StringTokenizer.h"

namespace products {
namespace zefra {
namespace decompiler {

// Reads a parsing result into nesting levels: a class record opens a level
// that takes the following records deeper than the class, up to the first
// record of an enclosing level. Errors end the level they occur in; the
// enclosing level goes on from wherever the tokenizer stands.
//
// The levels are kept on an explicit stack rather than the call stack, so
// that the deepest nesting a parse can produce is safe in any build.
class LevelReader {
public:
    LevelReader(util::StringTokenizer& st, const std::string& publicWord, const std::string& protectedWord);

    // Reads the top level (level 0) into topLevel; top-level classes carry text.
    void read(const std::string& text, ClassMembers& topLevel);

private:
    enum class AccessGroup { Public, Protected, Private };

    struct Level {
        std::uint32_t level;
        std::string text;         // for the classes read at this level
        NameAndLine nameAndLine;  // of the class whose members these are
        AccessGroup group;        // of that class
        ClassMembers members;
    };

    void enterLevel(std::uint32_t level, std::string text, NameAndLine nameAndLine, AccessGroup group);
    // Read one record of the innermost level; false when the level has ended.
    bool readNextRecordOfLevel();
    bool readNextRecord();
    bool finishLevel();
    void addMember(std::int32_t kind, AccessGroup group, NameAndLine nameAndLine);
    AccessGroup accessGroupOf(const std::string& access) const;

    util::StringTokenizer& _st;
    const std::string& _public;
    const std::string& _protected;
    std::vector<Level> _levels;
};

}
}
}
