#include "decl/parts/ModuleText.h"

#include <algorithm>

#include "decl/parts/AnnotationLines.h"
#include "print/Names.h"

namespace jad {

namespace {

constexpr uint16_t Open = 0x0020;
constexpr uint16_t Transitive = 0x0020;
constexpr uint16_t StaticPhase = 0x0040;
constexpr uint16_t Mandated = 0x8000;

std::string dotted(const std::string& internalName) {
    std::string text = displayName(internalName);
    std::replace(text.begin(), text.end(), '/', '.');
    std::replace(text.begin(), text.end(), '$', '.');
    return text;
}

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const auto& name : names) text += (text.empty() ? "" : ", ") + dotted(name);
    return text;
}

void packages(std::vector<std::string>& lines, const char* keyword, const std::vector<ModulePackages>& entries) {
    for (const auto& entry : entries) {
        std::string line = "    " + std::string(keyword) + " " + dotted(entry.package);
        if (!entry.toModules.empty()) line += " to " + joined(entry.toModules);
        lines.push_back(line + ";");
    }
}

}  // namespace

std::vector<std::string> moduleDeclaration(const ClassFile& file) {
    if (!file.module) return {"// module-info without its Module attribute"};
    const ModuleInfo& module = *file.module;
    std::vector<std::string> lines = annotationLines(file.annotations, file);
    lines.push_back(std::string(module.access & Open ? "open " : "") + "module " + dotted(module.name) + " {");
    for (const auto& entry : module.requires) {
        if (entry.access & Mandated) continue;  // java.base, implied
        std::string line = "    requires ";
        if (entry.access & Transitive) line += "transitive ";
        if (entry.access & StaticPhase) line += "static ";
        lines.push_back(line + dotted(entry.module) + ";");
    }
    packages(lines, "exports", module.exports);
    packages(lines, "opens", module.opens);
    for (const auto& service : module.uses) lines.push_back("    uses " + dotted(service) + ";");
    for (const auto& entry : module.provides) {
        lines.push_back("    provides " + dotted(entry.service) + " with " + joined(entry.implementations) + ";");
    }
    lines.push_back("}");
    return lines;
}

}  // namespace jad
