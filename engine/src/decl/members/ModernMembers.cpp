#include "decl/members/ModernMembers.h"

#include <set>

#include "body/synthetic/MemberFilter.h"
#include "classfile/AccessFlags.h"
#include "classfile/Descriptor.h"
#include "classfile/Signature.h"
#include "classfile/SignatureCache.h"
#include "decl/members/ModernHead.h"
#include "decl/parts/AnnotationLines.h"
#include "decl/parts/GenericText.h"
#include "decl/parts/ModernKinds.h"
#include "decl/parts/Modifiers.h"
#include "decl/parts/ParameterNames.h"
#include "print/AnnotationText.h"
#include "print/Names.h"

namespace jad {

namespace {

bool isInterfaceLike(const ClassFile& owner) { return (owner.access & access::Interface) != 0; }

// strictfp means something, and may be written, from Java 1.2 up to 16.
bool writesStrictfp(const ClassFile& owner, uint16_t access) {
    return (access & access::Strict) && !(access & access::Abstract) && owner.majorVersion >= 46 &&
           owner.majorVersion < 61;
}

std::string methodModifiers(const ClassFile& owner, const Method& method) {
    const uint16_t access = method.access;
    std::string text;
    if (isInterfaceLike(owner)) {
        if (access & access::Private) text += "private ";
        if (access & access::Static) text += "static ";
        else if (!(access & (access::Abstract | access::Private)) && method.code) text += "default ";
    } else {
        text += visibility(access);
        if (access & access::Abstract) text += "abstract ";
        if (access & access::Static) text += "static ";
        if (access & access::Final) text += "final ";
        if (access & access::Synchronized) text += "synchronized ";
        if (access & access::Native) text += "native ";
    }
    if (writesStrictfp(owner, access)) text += "strictfp ";
    return text;
}

// A generic type fits a descriptor type when it erases to it; a type
// variable only needs a reference of as many dimensions.
bool fits(const GenericType& generic, const JavaType& erased) {
    if (generic.dimensions != erased.dimensions) return false;
    switch (generic.kind) {
    case GenericType::Kind::Primitive: return erased.base == generic.primitive;
    case GenericType::Kind::Variable: return erased.base == 'L';
    case GenericType::Kind::Class: return erased.base == 'L' && erased.className == generic.className();
    }
    return false;
}

// The declared parameters' types and the result, from the signature where
// it reads and matches the descriptor, else erased.
struct DeclaredTypes {
    std::string typeParameters;
    std::vector<std::string> parameters;  // the declared ones only
    std::string result;
    std::vector<std::string> exceptions;
    std::vector<std::string> notes;
};

DeclaredTypes erasedTypes(const Method& method, const MethodType& type, size_t skip, const TypeNamer& types) {
    DeclaredTypes declared;
    for (size_t i = skip; i < type.parameters.size(); ++i) declared.parameters.push_back(types.typeName(type.parameters[i]));
    declared.result = types.typeName(type.returnType);
    for (const auto& name : method.exceptions) declared.exceptions.push_back(types.className(name));
    return declared;
}

// Where the signature's parameters lie among the descriptor's: javac leaves
// out those it adds, an outer instance in front (and an enum's name and
// ordinal), a local class's captured values at the end. Nothing when they
// fit neither way.
std::optional<size_t> signatureOffset(const MethodSignature& signature, const MethodType& type, size_t skip) {
    const size_t count = signature.parameters.size();
    if (count > type.parameters.size()) return std::nullopt;
    auto fitsAt = [&](size_t offset) {
        if (offset + count > type.parameters.size()) return false;
        for (size_t i = 0; i < count; ++i) {
            if (!fits(signature.parameters[i], type.parameters[offset + i])) return false;
        }
        return true;
    };
    const size_t total = type.parameters.size();
    std::vector<size_t> candidates;
    if (total - count >= skip) candidates.push_back(total - count);  // the leading ones left out
    if (skip + count <= total) candidates.push_back(skip);           // the trailing ones
    if (count == total) candidates.push_back(0);                     // none
    for (size_t offset : candidates) {
        if (fitsAt(offset)) return offset;
    }
    return std::nullopt;
}

DeclaredTypes declaredTypes(const Method& method, const MethodType& type, size_t skip, const TypeNamer& types) {
    const bool varargs = (method.access & access::Varargs) != 0;
    DeclaredTypes erased = erasedTypes(method, type, skip, types);
    if (varargs && !erased.parameters.empty() && type.parameters.back().isArray()) {
        std::string& last = erased.parameters.back();
        last = last.substr(0, last.size() - 2) + "...";
    }
    if (method.signature.empty()) return erased;
    auto signature = cachedMethodSignature(method.signature);
    if (!signature) {
        erased.notes.push_back(malformedSignatureNote(method.signature));
        return erased;
    }
    std::optional<size_t> offset = signatureOffset(*signature, type, skip);
    if (!offset || !fits(signature->result, type.returnType)) {
        erased.notes.push_back(unfitSignatureNote(method.signature));
        return erased;
    }
    DeclaredTypes declared = erased;
    declared.typeParameters = typeParameterList(signature->typeParameters, types);
    for (size_t i = 0; i < signature->parameters.size(); ++i) {
        const size_t index = *offset + i;
        if (index < skip) continue;
        const bool last = varargs && index + 1 == type.parameters.size();
        declared.parameters[index - skip] = last ? varargsTypeName(signature->parameters[i], types)
                                                 : genericTypeName(signature->parameters[i], types);
    }
    declared.result = genericTypeName(signature->result, types);
    if (!signature->exceptions.empty()) {
        declared.exceptions.clear();
        for (const auto& exception : signature->exceptions) declared.exceptions.push_back(genericTypeName(exception, types));
    }
    return declared;
}

bool isEnumConstructor(const ClassFile& owner, const Method& method, const MethodType& type) {
    return method.name == "<init>" && classKind(owner) == ClassKind::Enum && type.parameters.size() >= 2 &&
           type.parameters[0].base == 'L' && !type.parameters[0].isArray() &&
           type.parameters[0].className == "java/lang/String" && type.parameters[1].base == 'I' &&
           !type.parameters[1].isArray();
}

// The enum's own constructor call `super(name, ordinal)` is implied (the
// body prints a `this(name, ordinal, ...)` with what follows only).
std::vector<std::string> enumConstructorLines(const DecompiledBody& body) {
    if (body.statements.empty()) return body.lines;
    const TopStatement& first = body.statements.front();
    const bool implied = first.kind == TopStatement::Kind::SuperCall && first.arguments == 2 && first.leadingParameters == 2;
    return implied ? body.linesFrom(1) : body.lines;
}

std::string parameterList(const std::vector<std::string>& typeNames, const std::vector<std::string>& names,
                          size_t skip, const Method& method, const ClassFile& owner) {
    std::string text;
    // javac counts parameter annotations without the hidden leading ones.
    const size_t annotated = method.parameterAnnotations.size();
    const size_t base = annotated + skip <= names.size() ? skip : 0;
    for (size_t i = 0; i < typeNames.size(); ++i) {
        const size_t index = i + skip;
        if (i) text += ", ";
        if (index >= base && index - base < annotated) {
            text += inlineAnnotations(method.parameterAnnotations[index - base], owner);
        }
        text += typeNames[i] + " " + names[index];
    }
    return text;
}

// `this.a = a;` for component `index`.
bool isComponentAssignment(const TopStatement& statement, const RecordComponent& component, size_t index) {
    return statement.kind == TopStatement::Kind::FieldStore && statement.field == component.name &&
           statement.descriptor == component.descriptor && statement.storedParameter == index;
}

void printLines(SourceWriter& out, const std::string& head, const std::vector<std::string>& lines) {
    out.line(head + " {");
    out.indent();
    out.lines(lines);
    out.dedent();
    out.line("}");
}

// A canonical constructor that only assigns the components is the one the
// record gets anyway; one that does more before it assigns them is written
// compact.
void printCanonical(SourceWriter& out, const MemberContext& context, const Method& method, const std::string& head,
                    const std::string& modifiers, const DecompiledBody& body) {
    const ClassFile& owner = context.owner.file;
    const std::vector<TopStatement>& statements = body.statements;
    const bool superCall = !statements.empty() && statements[0].kind == TopStatement::Kind::SuperCall &&
                           statements[0].arguments == 0;
    const size_t first = superCall ? 1 : 0;
    const auto& components = *owner.record;
    bool assignsLast = statements.size() >= first + components.size();
    const size_t start = assignsLast ? statements.size() - components.size() : first;
    for (size_t i = 0; assignsLast && i < components.size(); ++i) {
        assignsLast = isComponentAssignment(statements[start + i], components[i], i);
    }
    bool assignsBefore = false;
    for (size_t i = first; i < start; ++i) assignsBefore = assignsBefore || statements[i].usesOwnFields;
    if (assignsLast && !assignsBefore) {
        const uint16_t recordAccess = context.owner.member ? context.owner.access : owner.access;
        const uint16_t visibilityBits = access::Public | access::Protected | access::Private;
        if (start == first && method.annotations.empty() &&
            (method.access & visibilityBits) == (recordAccess & visibilityBits)) {
            return;  // the implicit one
        }
        printLines(out, modifiers + displayName(context.owner.name), body.linesBetween(first, start));
        return;
    }
    printLines(out, head, body.linesFrom(first));
}

}  // namespace

void printModernField(SourceWriter& out, const MemberContext& context, const Field& field) {
    const ClassFile& owner = context.owner.file;
    out.lines(annotationLines(field.annotations, owner));
    std::string name = printedFieldName(owner, field);
    std::string typeName;
    if (!field.signature.empty()) {
        if (auto type = cachedFieldSignature(field.signature)) {
            if (fits(*type, *parseFieldDescriptor(field.descriptor))) typeName = genericTypeName(*type, context.types);
            else out.line(unfitSignatureNote(field.signature));
        } else {
            out.line(malformedSignatureNote(field.signature));
        }
    }
    if (typeName.empty()) typeName = context.types.typeName(*parseFieldDescriptor(field.descriptor));
    std::string modifiers;
    if (!isInterfaceLike(owner)) {
        modifiers = visibility(field.access);
        if (field.access & access::Static) modifiers += "static ";
        if (field.access & access::Final) modifiers += "final ";
        if (field.access & access::Transient) modifiers += "transient ";
        if (field.access & access::Volatile) modifiers += "volatile ";
    }
    std::string text = modifiers + typeName + " " + name;
    printFieldDeclaration(out, context, field, name, std::move(text));
}

namespace {

// A local class printed in place: its constructors' last parameters are the
// captured locals, read by their own names and never declared.
size_t hiddenCaptures(const ClassNode& owner, const Method& method, const MethodType& type, size_t skip,
                      std::vector<std::string>& names, const UnitContext* unit) {
    if (!owner.inPlace || method.name != "<init>" || !unit) return 0;
    const std::vector<std::string>& fields = owner.inPlace->captureFields;
    const auto* captured = unit->capturedNames(owner.file.thisClass);
    if (fields.empty() || !captured || type.parameters.size() < skip + fields.size()) return 0;
    const size_t start = type.parameters.size() - fields.size();
    for (size_t i = 0; i < fields.size(); ++i) {
        auto found = captured->find(fields[i]);
        if (found != captured->end() && !found->second.empty()) names[start + i] = found->second;
    }
    return fields.size();
}

}  // namespace

void printModernMethod(SourceWriter& out, const MemberContext& context, const Method& method) {
    const ClassFile& owner = context.owner.file;
    if (method.name == "<clinit>") {
        printLines(out, "static", context.staticBlock);
        return;
    }
    const std::shared_ptr<const MethodType> methodType = methodTypeOf(method.descriptor);  // checked when read
    size_t skip = hiddenLeadingParameters(context.owner, method, *methodType);
    const bool enumConstructor = isEnumConstructor(owner, method, *methodType);
    if (enumConstructor) skip = 2;
    const bool canonical = isCanonicalConstructor(owner, method);
    std::vector<std::string> names = parameterNames(method, methodType->parameters, context.types);
    const std::set<std::string> captured = capturedLocalNames(owner, context.unit);
    keepClearOf(captured, names);
    MethodType shown = *methodType;
    shown.parameters.resize(shown.parameters.size() -
                            hiddenCaptures(context.owner, method, *methodType, skip, names, context.unit));
    const MethodType& type = shown;
    if (canonical) {
        // The components' names, as the language requires of it.
        for (size_t i = 0; i < names.size() && i < owner.record->size(); ++i) {
            names[i] = displayName((*owner.record)[i].name);
        }
    }
    out.lines(annotationLines(method.annotations, owner));
    DeclaredTypes declared = declaredTypes(method, type, skip, context.types);
    out.lines(declared.notes);
    const bool constructor = method.name == "<init>";
    const std::string modifiers = methodModifiers(owner, method);
    std::string head = modifiers;
    if (!declared.typeParameters.empty()) head += declared.typeParameters + " ";
    if (!constructor) head += declared.result + " ";
    head += constructor ? displayName(context.owner.name) : printedMethodName(owner, method);
    head += "(" + parameterList(declared.parameters, names, skip, method, owner) + ")";
    for (size_t i = 0; i < declared.exceptions.size(); ++i) head += (i ? ", " : " throws ") + declared.exceptions[i];
    if (method.access & (access::Abstract | access::Native)) {
        if (method.annotationDefault) head += " default " + displayName(elementValueText(*method.annotationDefault));
        out.line(head + ";");
        return;
    }
    DecompiledBody body;
    if (!method.code) {
        body = {{"throw new RuntimeException(\"method has no code\");"}, false, {TopStatement::at(TopStatement::Kind::Throw, 0)}};
    } else {
        BodyRequest request{owner, method, context.types, context.options, names, context.unit,
                            captured.empty() ? nullptr : &captured};
        request.hiddenParameters = enumConstructor ? 2 : 0;
        body = decompiledBody(request);
    }
    if (canonical) return printCanonical(out, context, method, head, modifiers, body);
    const std::vector<std::string> lines = enumConstructor ? enumConstructorLines(body) : std::move(body.lines);
    printLines(out, head, lines);
}

}  // namespace jad
