#include "decl/members/EnumConstants.h"

#include "body/synthetic/MemberFilter.h"
#include "decl/parts/ModernKinds.h"
#include "print/Names.h"

namespace jad {

namespace {

std::string joinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += (text.empty() ? "" : "\n") + line;
    return text;
}

// Past a string or char literal starting at `at` (its quote).
size_t skipLiteral(const std::string& text, size_t at) {
    const char quote = text[at];
    for (size_t i = at + 1; i < text.size(); ++i) {
        if (text[i] == '\\') ++i;
        else if (text[i] == quote) return i + 1;
    }
    return std::string::npos;
}

// The index of the parenthesis that closes the one before `from`.
size_t closingParenthesis(const std::string& text, size_t from) {
    int depth = 1;
    for (size_t i = from; i < text.size();) {
        char c = text[i];
        if (c == '"' || c == '\'') {
            i = skipLiteral(text, i);
            continue;
        }
        if (c == '(') ++depth;
        if (c == ')' && --depth == 0) return i;
        ++i;
    }
    return std::string::npos;
}

// `new E("RED", 0, 1, "r") {...}` -> `RED(1, "r") {...}`; nothing when the
// creation is not one of this constant.
std::optional<std::string> constantFromCreation(const std::string& creation, const std::string& name, size_t ordinal) {
    if (creation.rfind("new ", 0) != 0) return std::nullopt;
    size_t open = creation.find('(');
    if (open == std::string::npos || open + 1 >= creation.size() || creation[open + 1] != '"') return std::nullopt;
    size_t afterName = skipLiteral(creation, open + 1);
    if (afterName == std::string::npos) return std::nullopt;
    const std::string ordinalText = ", " + std::to_string(ordinal);
    if (creation.compare(afterName, ordinalText.size(), ordinalText) != 0) return std::nullopt;
    size_t rest = afterName + ordinalText.size();
    size_t close = closingParenthesis(creation, rest);
    if (close == std::string::npos) return std::nullopt;
    std::string arguments;
    if (close > rest) {
        if (creation.compare(rest, 2, ", ") != 0) return std::nullopt;
        arguments = "(" + creation.substr(rest + 2, close - rest - 2) + ")";
    }
    std::string body = creation.substr(close + 1);
    if (!body.empty() && body.rfind(" {", 0) != 0) return std::nullopt;
    return displayName(name) + arguments + body;
}

bool isValuesArray(const ClassFile& owner, const std::string& assigned) {
    for (const auto& field : owner.fields) {
        if (isGeneratedField(owner, field) && (assigned == field.name || assigned == printedFieldName(owner, field))) {
            return true;
        }
    }
    return false;
}

// The creations of the constants the statements assign; the statements
// that are no such creation go to `rest`.
void takeCreations(const ClassFile& owner, const DecompiledBody& staticBlock,
                   std::map<std::string, std::string>& creations, std::vector<std::string>& rest) {
    for (size_t i = 0; i < staticBlock.statements.size(); ++i) {
        const TopStatement& statement = staticBlock.statements[i];
        if (statement.kind == TopStatement::Kind::StaticStore && !statement.value.empty()) {
            if (isValuesArray(owner, statement.field)) continue;
            bool constant = false;
            for (const auto& field : owner.fields) {
                constant = constant || (isEnumConstant(owner, field) && field.name == statement.field);
            }
            if (constant && !creations.count(statement.field)) {
                creations[statement.field] = joinLines(statement.value);
                continue;
            }
        }
        const std::vector<std::string> lines = staticBlock.linesOf(i);
        rest.insert(rest.end(), lines.begin(), lines.end());
    }
}

}  // namespace

EnumConstants enumConstants(const ClassFile& owner, const DecompiledBody* staticBlock, const FieldValues& values) {
    std::map<std::string, std::string> creations;
    for (const auto& [name, lines] : values) creations[name] = joinLines(lines);
    EnumConstants result;
    if (staticBlock) takeCreations(owner, *staticBlock, creations, result.staticBlock);
    std::vector<std::string> constants;
    for (const auto& field : owner.fields) {
        if (!isEnumConstant(owner, field)) continue;
        auto found = creations.find(field.name);
        std::optional<std::string> text;
        if (found != creations.end()) text = constantFromCreation(found->second, field.name, constants.size());
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
