#include "decl/members/StaticFields.h"

#include "body/synthetic/MemberFilter.h"
#include "classfile/AccessFlags.h"
#include "print/Names.h"

namespace jad {

const Field* initializedField(const TopStatement& statement, const ClassFile& owner) {
    if (statement.kind != TopStatement::Kind::StaticStore || statement.value.empty()) return nullptr;
    for (const Field& field : owner.fields) {
        // The statements may name a field by the name the declaration gives it.
        const bool named = field.name == statement.field || printedFieldName(owner, field) == statement.field;
        if (!named || field.descriptor != statement.descriptor) continue;
        if (!(field.access & access::Static) || isHiddenField(field) || field.constantValue) return nullptr;
        return &field;
    }
    return nullptr;
}

std::optional<FieldValues> fieldInitializers(const DecompiledBody& staticInitializer, const ClassFile& owner) {
    if (!staticInitializer.decompiled) return std::nullopt;
    FieldValues values;
    const Field* previous = nullptr;
    for (const TopStatement& statement : staticInitializer.statements) {
        const Field* field = initializedField(statement, owner);
        // Initializers run in declaration order, so the assignments must too.
        if (!field || (previous && field <= previous)) return std::nullopt;
        values[printedFieldName(owner, *field)] = statement.value;
        previous = field;
    }
    return values;
}

}  // namespace jad
