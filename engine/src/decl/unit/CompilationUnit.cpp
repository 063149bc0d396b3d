#include "decl/unit/CompilationUnit.h"

#include "classfile/AccessFlags.h"
#include "decl/members/ImportNamer.h"
#include "decl/parts/AnnotationLines.h"
#include "decl/parts/Comments.h"
#include "decl/parts/LocalMarks.h"
#include "decl/parts/ModuleText.h"
#include "decl/unit/ClassPrinter.h"
#include "decl/unit/UnitClasses.h"
#include "print/Names.h"
#include "print/SourceWriter.h"

namespace jad {

const char* const EngineVersion = "0.1.0";

namespace {

std::string javaRelease(uint16_t major) {
    switch (major) {
    case 45: return "1.1";
    case 46: return "1.2";
    case 47: return "1.3";
    case 48: return "1.4";
    default: return std::to_string(major - 44);
    }
}

void header(SourceWriter& out, const ClassFile& file) {
    out.line(std::string("// Decompiled by the Zefra engine ") + EngineVersion);
    out.line("// Source file: " + (file.sourceFile.empty() ? std::string("not recorded") : displayName(file.sourceFile)));
    out.line("// Class-file version: " + std::to_string(file.majorVersion) + "." +
             std::to_string(file.minorVersion) + " (Java " + javaRelease(file.majorVersion) + ")");
    out.blank();
}

bool isPackageInfo(const ClassNode& top) {
    const std::string& name = top.file.thisClass;
    const std::string suffix = "package-info";
    return (top.file.access & access::Interface) && name.size() >= suffix.size() &&
           name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0 &&
           (name.size() == suffix.size() || name[name.size() - suffix.size() - 1] == '/');
}

std::string packageOf(const std::string& internalName) {
    size_t slash = internalName.rfind('/');
    std::string name = displayName(slash == std::string::npos ? std::string() : internalName.substr(0, slash));
    for (char& c : name) {
        if (c == '/') c = '.';
    }
    return name;
}

}  // namespace

std::string printCompilationUnit(const ClassNode& top, const SiblingFiles& siblings, const PrintOptions& options,
                                 std::set<std::string>* unplaced) {
    SourceWriter out;
    header(out, top.file);
    if ((top.file.access & access::Module) && options.modern) {
        out.lines(moduleDeclaration(top.file));
        return out.text();
    }
    if (top.file.access & access::Module) {
        out.line("// module-info: module declarations have no form in this dialect");
        return out.text();
    }
    if (options.modern && isPackageInfo(top)) {
        // Annotations name their types in full, so a package declaration needs no imports.
        out.lines(annotationLines(top.file.annotations, top.file));
        const std::string package = packageOf(top.file.thisClass);
        if (!package.empty()) out.line("package " + package + ";");
        return out.text();
    }
    ImportNamer types(top, siblings, options.modern);
    if (!types.packageName().empty()) {
        out.line("package " + types.packageName() + ";");
        out.blank();
    }
    for (const auto& name : types.imports()) out.line("import " + name + ";");
    if (!types.imports().empty()) out.blank();
    if (isPackageInfo(top)) {
        // Only the package's annotations live there, and they are comments.
        out.lines(annotationComments(top.file.annotations, top.file.deprecated));
        return out.text();
    }
    UnitClasses unit(siblings, top, options.modern);
    printClass(out, top, types, options, &unit);
    if (top.inPlaceLocals.empty()) return out.text();
    std::map<std::string, int> counts;
    std::string text = takeOutLocalMarks(out.text(), counts);
    for (const std::string& local : top.inPlaceLocals) {
        if (counts[local] != 1 && unplaced) unplaced->insert(local);
    }
    return text;
}

PrintedUnit printModernUnit(ClassFile top, const SiblingFiles& siblings, const PrintOptions& options) {
    const std::vector<InnerClass> declared = top.innerClasses;
    PrintedUnit printed{buildClassTree(std::move(top), siblings, LocalChoice{}), std::string()};
    std::set<std::string> unplaced;
    printed.text = printCompilationUnit(printed.tree, siblings, options, &unplaced);
    if (unplaced.empty()) return printed;
    // Those go back to member classes; a local class declared in a body
    // printed as a fallback is a member class thereafter too.
    LocalChoice choice;
    choice.hoisted = unplaced;
    auto forget = [&] {
        if (options.report) *options.report = DebugReport();  // what the printing thrown away said
    };
    forget();
    printed.tree = buildClassTree(takeTopFile(std::move(printed.tree), declared), siblings, choice);
    unplaced.clear();
    printed.text = printCompilationUnit(printed.tree, siblings, options, &unplaced);
    if (unplaced.empty()) return printed;
    choice.only = std::set<std::string>();
    forget();
    printed.tree = buildClassTree(takeTopFile(std::move(printed.tree), declared), siblings, choice);
    printed.text = printCompilationUnit(printed.tree, siblings, options);
    return printed;
}

}  // namespace jad
