// libFuzzer target: arbitrary bytes through the class reader and the whole
// printer, bodies included. Only ClassFormatError may come out.
#include <cstddef>
#include <cstdint>

#include "classfile/ClassReader.h"
#include "decl/members/ClassTree.h"
#include "decl/unit/CompilationUnit.h"

namespace {

// The input stands alone: no member class files beside it.
class NoSiblings : public jad::SiblingFiles {
public:
    std::optional<std::vector<uint8_t>> read(const std::string&) const override { return std::nullopt; }
    bool hasClass(const std::string&) const override { return false; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    try {
        jad::ClassFile file = jad::readClassFile(data, size);
        NoSiblings siblings;
        jad::ClassNode tree = jad::buildClassTree(std::move(file), siblings);
        jad::PrintOptions options;
        options.fieldsFirst = true;
        options.braces = true;
        options.splitLiteralsAt = 80;
        jad::printCompilationUnit(tree, siblings, options);
    } catch (const jad::ClassFormatError&) {
    }
    return 0;
}
