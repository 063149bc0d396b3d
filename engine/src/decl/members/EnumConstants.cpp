#include "decl/members/EnumConstants.h"

#include "body/synthetic/MemberFilter.h"
#include "decl/parts/ModernKinds.h"
#include "print/Names.h"

namespace jad {

namespace {

// A statement starts on an unindented line; its continuation lines are
// indented, empty (between an anonymous class's members) or close a
// bracket at the start.
std::vector<std::vector<std::string>> splitStatements(const std::vector<std::string>& lines) {
    std::vector<std::vector<std::string>> statements;
    for (const auto& line : lines) {
        bool continues = line.empty() || line[0] == ' ' || line[0] == '}' || line[0] == ')';
        if (continues && !statements.empty()) {
            statements.back().push_back(line);
        } else {
            statements.push_back({line});
        }
    }
    return statements;
}

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

// "E.RED = new E(...);" -> name "RED", creation "new E(...)".
bool splitAssignment(const std::string& statement, const std::string& ownerName, std::string& name,
                     std::string& creation) {
    size_t assign = statement.find(" = ");
    if (assign == std::string::npos || statement.empty() || statement.back() != ';') return false;
    name = statement.substr(0, assign);
    if (name.compare(0, ownerName.size() + 1, ownerName + ".") == 0) name.erase(0, ownerName.size() + 1);
    creation = statement.substr(assign + 3, statement.size() - assign - 4);
    return true;
}

}  // namespace

EnumConstants enumConstants(const ClassFile& owner, const std::vector<std::string>& staticBlock,
                            const FieldValues& values) {
    std::map<std::string, std::string> creations;
    for (const auto& [name, lines] : values) creations[name] = joinLines(lines);
    EnumConstants result;
    const std::string simple = owner.thisClass.substr(owner.thisClass.find_last_of("/$") + 1);
    for (const auto& statement : splitStatements(staticBlock)) {
        std::string name, creation;
        if (splitAssignment(joinLines(statement), simple, name, creation)) {
            if (isValuesArray(owner, name)) continue;
            bool constant = false;
            for (const auto& field : owner.fields) constant = constant || (isEnumConstant(owner, field) && field.name == name);
            if (constant && !creations.count(name)) {
                creations[name] = creation;
                continue;
            }
        }
        result.staticBlock.insert(result.staticBlock.end(), statement.begin(), statement.end());
    }
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
