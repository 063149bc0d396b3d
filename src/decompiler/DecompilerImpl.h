#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "decompiler/ClassMembers.h"
#include "decompiler/Decompiler.h"
#include "util/parser/StringTokenizer.h"

namespace products {
namespace zefra {
namespace decompiler {

class DecompilerImpl : public Decompiler {
public:
    DecompilerImpl();
    ~DecompilerImpl() override = default;

    std::unique_ptr<ClassStructure> decompile(const std::string& classFilePath) override;
    std::unique_ptr<ClassStructure> createClassStructure(const char* text, std::size_t length) override;

    // The tree of a parsing result. The root is the first top-level class of
    // the public group, else of the protected, else of the private group;
    // other top-level declarations are dropped. Null, with a failed check
    // recorded, when there is no top-level class. Never throws.
    std::unique_ptr<ClassStructure> buildTree(const std::string& parsingResult, const std::string& text) const;

private:
    enum class AccessGroup { Public, Protected, Private };

    // Reads the records of one nesting level into members; returns at the
    // first record of an enclosing level. Errors end the level, not the tree.
    void buildLevel(util::StringTokenizer& st, const std::string& text, ClassMembers& members,
                    std::uint32_t level, std::uint32_t nesting) const;
    void readRecord(util::StringTokenizer& st, const std::string& text, ClassMembers& members,
                    std::uint32_t nesting) const;
    std::unique_ptr<ClassStructure> readClass(util::StringTokenizer& st, const std::string& text,
                                              std::int32_t depth, NameAndLine nameAndLine,
                                              std::uint32_t nesting) const;
    AccessGroup accessGroupOf(const std::string& access) const;

    const std::string _public;
    const std::string _protected;
};

}
}
}
