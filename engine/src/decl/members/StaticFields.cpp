#include "decl/members/StaticFields.h"

#include "body/synthetic/MemberFilter.h"
#include "classfile/AccessFlags.h"
#include "print/Names.h"

namespace jad {

namespace {

// A statement starts on an unindented line; its continuation lines are
// indented or close a bracket at the start.
std::vector<std::vector<std::string>> splitStatements(const std::vector<std::string>& lines) {
    std::vector<std::vector<std::string>> statements;
    for (const auto& line : lines) {
        bool continues = !line.empty() && (line[0] == ' ' || line[0] == '}' || line[0] == ')');
        if (continues && !statements.empty()) {
            statements.back().push_back(line);
        } else {
            statements.push_back({line});
        }
    }
    return statements;
}

// Index in the field table of the static field a statement assigns, or -1.
int assignedField(const std::string& first, const ClassFile& owner, const std::string& ownerName, std::string& rest) {
    std::string text = first;
    if (text.compare(0, ownerName.size() + 1, ownerName + ".") == 0) text.erase(0, ownerName.size() + 1);
    size_t assign = text.find(" = ");
    if (assign == std::string::npos) return -1;
    std::string name = text.substr(0, assign);
    for (size_t i = 0; i < owner.fields.size(); ++i) {
        const Field& field = owner.fields[i];
        // The statements may still use the class file's name for a field the
        // declaration renames.
        bool named = field.name == name || printedFieldName(owner, field) == name;
        if (!named || !(field.access & access::Static) || isHiddenField(field)) continue;
        if (field.constantValue) return -1;
        rest = text.substr(assign + 3);
        return static_cast<int>(i);
    }
    return -1;
}

}  // namespace

std::optional<FieldValues> fieldInitializers(const std::vector<std::string>& statements, const ClassFile& owner,
                              const std::string& ownerName) {
    FieldValues values;
    int previous = -1;
    for (auto& statement : splitStatements(statements)) {
        std::string rest;
        int field = assignedField(statement.front(), owner, ownerName, rest);
        // Initializers run in declaration order, so the assignments must too.
        if (field <= previous) return std::nullopt;
        std::string& last = statement.size() == 1 ? rest : statement.back();
        if (last.empty() || last.back() != ';') return std::nullopt;
        last.pop_back();
        statement.front() = rest;
        values[printedFieldName(owner, owner.fields[static_cast<size_t>(field)])] = statement;
        previous = field;
    }
    return values;
}

}  // namespace jad
