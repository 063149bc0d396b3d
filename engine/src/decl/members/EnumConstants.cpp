#include "decl/members/EnumConstants.h"

#include "body/synthetic/MemberFilter.h"
#include "decl/parts/ModernKinds.h"
#include "print/Names.h"

namespace jad {

namespace {

bool isValuesArray(const ClassFile& owner, const std::string& assigned) {
    for (const auto& field : owner.fields) {
        if (isGeneratedField(owner, field) && (assigned == field.name || assigned == printedFieldName(owner, field))) {
            return true;
        }
    }
    return false;
}

bool isConstantField(const ClassFile& owner, const std::string& name) {
    for (const auto& field : owner.fields) {
        if (isEnumConstant(owner, field) && field.name == name) return true;
    }
    return false;
}

using Creations = std::map<std::string, std::optional<EnumCreation>>;

// The creations of the constants the statements assign first (none where
// the value is no creation javac makes); the statements that are no such
// assignment go to `rest`, unless `rest` is null.
void takeCreations(const ClassFile& owner, const DecompiledBody& staticBlock, Creations& creations,
                   std::vector<std::string>* rest) {
    for (size_t i = 0; i < staticBlock.statements.size(); ++i) {
        const TopStatement& statement = staticBlock.statements[i];
        if (statement.kind == TopStatement::Kind::StaticStore) {
            if (isValuesArray(owner, statement.field)) continue;
            if (isConstantField(owner, statement.field) && !creations.count(statement.field)) {
                creations[statement.field] = statement.enumCreation;
                continue;
            }
        }
        if (!rest) continue;
        const std::vector<std::string> lines = staticBlock.linesOf(i);
        rest->insert(rest->end(), lines.begin(), lines.end());
    }
}

// The constant's declaration when the static initializer created it as
// the constant `ordinal`.
std::optional<std::string> constantText(const Creations& creations, const Field& field, size_t ordinal) {
    auto found = creations.find(field.name);
    if (found == creations.end() || !found->second) return std::nullopt;
    const EnumCreation& creation = *found->second;
    if (creation.ordinal < 0 || static_cast<size_t>(creation.ordinal) != ordinal) return std::nullopt;
    return displayName(field.name) + creation.tail;
}

}  // namespace

EnumConstants enumConstants(const ClassFile& owner, const DecompiledBody& staticInitializer, bool restInitializesFields) {
    Creations creations;
    EnumConstants result;
    takeCreations(owner, staticInitializer, creations, restInitializesFields ? nullptr : &result.staticBlock);
    std::vector<std::string> constants;
    for (const auto& field : owner.fields) {
        if (!isEnumConstant(owner, field)) continue;
        std::optional<std::string> text = constantText(creations, field, constants.size());
        // Not a compiler's shape: a line that does not compile rather than
        // a constant made some other way.
        constants.push_back(text ? *text : displayName(field.name) + "(/* creation not recovered */ ?)");
    }
    for (size_t i = 0; i < constants.size(); ++i) {
        std::string text = constants[i] + (i + 1 == constants.size() ? ";" : ",");
        size_t start = 0;
        for (size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
            result.lines.push_back(text.substr(start, end - start));
            start = end + 1;
        }
        result.lines.push_back(text.substr(start));
    }
    if (constants.empty()) result.lines.push_back(";");
    return result;
}

}  // namespace jad
