#include "cli/Decompile.h"

#include <filesystem>
#include <memory>

#include "classfile/ClassReader.h"
#include "cli/Output.h"
#include "decl/members/ClassTree.h"
#include "decl/unit/CompilationUnit.h"

namespace jad {

namespace {

namespace fs = std::filesystem;

std::string lastSegment(const std::string& internalName) {
    const size_t slash = internalName.rfind('/');
    return slash == std::string::npos ? internalName : internalName.substr(slash + 1);
}

// A member, local or anonymous class whose outer class lies beside it: that
// class's unit prints it.
bool printedByOuter(const ClassFile& file, const SiblingFiles& siblings) {
    const InnerClass* own = ownInnerEntry(file);
    if (!own) return false;
    std::string outer = own->outerClass;
    if (outer.empty() && file.enclosingMethod) outer = file.enclosingMethod->className;
    if (outer.empty() || outer == file.thisClass) return false;
    return siblings.hasClass(lastSegment(outer));
}

void collectPrinted(const ClassNode& node, std::vector<std::string>& into) {
    into.push_back(node.file.thisClass);
    for (const ClassNode& member : node.members) collectPrinted(member, into);
    for (const ClassNode& anonymous : node.anonymous) collectPrinted(anonymous, into);
    for (const ClassNode& local : node.locals) collectPrinted(local, into);
}

// `thisClass` places the class path's root: the folder its package's folders lie in.
std::unique_ptr<SiblingFiles> siblingsOf(const ClassUnit& unit, const LoadedArchive* archive, SiblingCache& cache,
                                         const std::string& thisClass) {
    if (unit.entry && archive) return std::make_unique<ArchiveSiblings>(*archive, unit.entry->name, cache);
    fs::path directory = fs::path(unit.path).parent_path();
    if (directory.empty()) directory = ".";
    return std::make_unique<DirectorySiblings>(directory, cache, classPathRoot(directory.string(), thisClass));
}

// The unit's bytes: the archive's own, or read from disk into `read`.
const std::vector<uint8_t>& unitBytes(const ClassUnit& unit, std::vector<uint8_t>& read) {
    if (unit.entry) return unit.entry->bytes;
    try {
        read = readInputFile(fs::path(unit.path));
    } catch (const ReadError& error) {
        throw InputFailure{error.reason};
    }
    return read;
}

void decompileInto(const ClassUnit& unit, const LoadedArchive* archive, const PrintOptions& options,
                   SiblingCache& cache, InputResult& result) {
    std::vector<uint8_t> read;
    const std::vector<uint8_t>& bytes = unitBytes(unit, read);
    try {
        ClassFile file = readClassFile(bytes.data(), bytes.size());
        result.thisClass = file.thisClass;
        std::unique_ptr<SiblingFiles> siblings = siblingsOf(unit, archive, cache, file.thisClass);
        if (unit.wholeTree && printedByOuter(file, *siblings)) {
            result.nested = true;
            return;
        }
        if (options.modern) {
            PrintedUnit printed = printModernUnit(std::move(file), *siblings, options);
            collectPrinted(printed.tree, result.printed);
            result.text = std::move(printed.text);
            return;
        }
        ClassNode tree = buildClassTree(std::move(file), *siblings, options.modern);
        collectPrinted(tree, result.printed);
        result.text = printCompilationUnit(tree, *siblings, options);
    } catch (const ClassFormatError& error) {
        throw InputFailure{error.reason};
    } catch (const std::bad_alloc&) {
        throw InputFailure{"out of memory"};
    }
}

}  // namespace

InputResult decompileUnit(const ClassUnit& unit, const LoadedArchive* archive, const PrintOptions& options,
                          SiblingCache& cache) {
    InputResult result;
    PrintOptions reporting = options;
    reporting.report = &result.report;
    try {
        decompileInto(unit, archive, reporting, cache, result);
    } catch (const InputFailure& failure) {
        result.failure = failure.reason;
    }
    return result;
}

}  // namespace jad
