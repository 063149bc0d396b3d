#include "decl/members/MemberPrinter.h"

#include <exception>
#include <set>

#include "body/decode/Fallback.h"
#include "body/synthetic/MemberFilter.h"
#include "classfile/AccessFlags.h"
#include "classfile/Descriptor.h"
#include "decl/parts/Comments.h"
#include "decl/parts/ConstantText.h"
#include "decl/parts/Modifiers.h"
#include "decl/parts/ParameterNames.h"
#include "decl/parts/SignatureText.h"
#include "print/AnnotationText.h"
#include "print/Literals.h"
#include "print/Names.h"

namespace jad {

namespace {

bool inInterface(const ClassNode& owner) { return (owner.file.access & access::Interface) != 0; }

}  // namespace

// An inner (non-static) member class's constructors take the enclosing
// instance first; the source never declares that parameter.
size_t hiddenLeadingParameters(const ClassNode& owner, const Method& method, const MethodType& type) {
    if (owner.inPlace) return method.name == "<init>" && owner.inPlace->outerParameter && !type.parameters.empty() ? 1 : 0;
    if (method.name != "<init>" || !owner.member || (owner.access & (access::Static | access::Interface))) return 0;
    const InnerClass* entry = ownInnerEntry(owner.file);
    if (!entry || type.parameters.empty()) return 0;
    const JavaType& first = type.parameters[0];
    return first.base == 'L' && !first.isArray() && first.className == entry->outerClass ? 1 : 0;
}

namespace {

void appendParameterList(std::string& text, const std::vector<JavaType>& parameters,
                         const std::vector<std::string>& names, size_t skip, const TypeNamer& types) {
    for (size_t i = skip; i < parameters.size(); ++i) {
        if (i > skip) text += ", ";
        text += types.typeName(parameters[i]);
        text += ' ';
        text += names[i];
    }
}

void appendThrowsClause(std::string& text, const Method& method, const TypeNamer& types) {
    bool first = true;
    for (const auto& name : method.exceptions) {
        text += first ? " throws " : ", ";
        first = false;
        text += types.className(name);
    }
}

std::vector<std::string> parameterAnnotationComments(const Method& method, const std::vector<std::string>& names,
                                                     size_t skip) {
    std::vector<std::string> lines;
    // javac counts parameter annotations without the hidden leading ones.
    size_t offset = method.parameterAnnotations.size() + skip <= names.size() ? skip : 0;
    for (size_t i = 0; i < method.parameterAnnotations.size() && i + offset < names.size(); ++i) {
        for (const Annotation& annotation : method.parameterAnnotations[i]) {
            lines.push_back("// " + names[i + offset] + ": " + displayName(annotationText(annotation)));
        }
    }
    return lines;
}

// `shownName` is the constructor's class name or the method's printed name.
std::string declarationHead(const MemberContext& context, const Method& method, const MethodType& type,
                            const std::string& shownName, const std::vector<std::string>& names, size_t skip) {
    if (method.name == "<clinit>") return "static";
    std::string text = methodModifiers(method.access, inInterface(context.owner));
    if (method.name != "<init>") {
        text += context.types.typeName(type.returnType);
        text += ' ';
    }
    text += shownName;
    text += '(';
    appendParameterList(text, type.parameters, names, skip, context.types);
    text += ')';
    appendThrowsClause(text, method, context.types);
    return text;
}

}  // namespace

DecompiledBody decompiledBody(const BodyRequest& request) {
    try {
        return decompileMethod(request);
    } catch (const std::exception& error) {
        try {
            return fallbackBody(request, std::string("internal error: ") + error.what());
        } catch (const std::exception&) {
        }
    }
    return {{"throw new RuntimeException(\"method body could not be printed\");"}, false, {TopStatement::at(TopStatement::Kind::Throw, 0)}};
}

std::vector<std::string> bodyLines(const BodyRequest& request) { return decompiledBody(request).lines; }

// A static initializer must be able to complete normally, so one that ends
// by throwing (as a body that could not be decompiled does) throws conditionally;
// `if (true)` still leaves every static final field definitely assigned.
std::vector<std::string> staticBlockLines(std::vector<std::string> lines, size_t throwLines) {
    if (!throwLines || throwLines > lines.size()) return lines;
    const auto first = lines.end() - static_cast<long>(throwLines);
    for (auto line = first; line != lines.end(); ++line) {
        if (!line->empty()) *line = "    " + *line;
    }
    lines.insert(first, "if (true) {");
    lines.push_back("}");
    return lines;
}

size_t trailingThrowLines(const DecompiledBody& body) {
    if (body.statements.empty() || body.statements.back().kind != TopStatement::Kind::Throw) return 0;
    return body.lines.size() - body.statements.back().firstLine;
}

namespace {

void printBody(SourceWriter& out, const MemberContext& context, const Method& method,
               const std::vector<std::string>& names, const std::set<std::string>& captured, std::string head) {
    head += " {";
    out.line(head);
    out.indent();
    if (!method.code) {
        // Neither abstract nor native, yet no code: only a broken compiler leaves that.
        out.line("throw new RuntimeException(\"method has no code\");");
    } else if (method.name == "<clinit>") {
        out.lines(context.staticBlock);
    } else {
        BodyRequest request{context.owner.file, method, context.types, context.options, names, context.unit,
                            captured.empty() ? nullptr : &captured};
        out.lines(bodyLines(request));
    }
    out.dedent();
    out.line("}");
}

}  // namespace

void printField(SourceWriter& out, const MemberContext& context, const Field& field) {
    out.lines(annotationComments(field.annotations, field.deprecated));
    std::string name = printedFieldName(context.owner.file, field);
    out.lines(signatureComment(field.signature, fieldSignatureText(field.signature, name)));
    JavaType type = *parseFieldDescriptor(field.descriptor);
    std::string text = fieldModifiers(field.access, inInterface(context.owner)) + context.types.typeName(type) +
                       " " + name;
    printFieldDeclaration(out, context, field, name, std::move(text));
}

void printFieldDeclaration(SourceWriter& out, const MemberContext& context, const Field& field,
                           const std::string& name, std::string text) {
    std::string value = constantInitializer(context.owner.file, field, context.options.splitLiteralsAt);
    auto computed = context.fieldValues.find(name);
    if (value.empty() && computed != context.fieldValues.end() && !computed->second.empty()) {
        // The expression may span lines (an anonymous class); its first
        // line goes on the declaration's.
        const std::vector<std::string>& lines = computed->second;
        out.line(text + " = " + lines.front() + (lines.size() == 1 ? ";" : ""));
        for (size_t i = 1; i < lines.size(); ++i) out.line(lines[i] + (i + 1 == lines.size() ? ";" : ""));
        return;
    }
    if (!value.empty()) text += " = " + value;
    out.line(text + ";");
}

DecompiledBody staticInitializerBody(const MemberContext& context, const Method& clinit) {
    std::vector<std::string> names;
    BodyRequest request{context.owner.file, clinit, context.types, context.options, names, context.unit};
    return decompiledBody(request);
}

void printMethod(SourceWriter& out, const MemberContext& context, const Method& method) {
    const std::shared_ptr<const MethodType> methodType = methodTypeOf(method.descriptor);  // checked when read
    const MethodType& type = *methodType;
    size_t skip = hiddenLeadingParameters(context.owner, method, type);
    std::vector<std::string> names = parameterNames(method, type.parameters, context.types);
    const std::set<std::string> captured = capturedLocalNames(context.owner.file, context.unit);
    keepClearOf(captured, names);
    out.lines(annotationComments(method.annotations, method.deprecated));
    bool constructor = method.name == "<init>";
    std::string shownName = constructor ? displayName(context.owner.name) : printedMethodName(context.owner.file, method);
    if (!method.signature.empty()) {  // most methods have none, and so no comment
        std::vector<std::string> shownNames(names.begin() + static_cast<long>(skip), names.end());
        out.lines(signatureComment(method.signature,
                                   methodSignatureText(method.signature, shownName, shownNames, constructor)));
    }
    out.lines(parameterAnnotationComments(method, names, skip));
    std::string head = declarationHead(context, method, type, shownName, names, skip);
    if (method.access & (access::Abstract | access::Native)) {
        std::string defaultValue;
        if (method.annotationDefault) {
            defaultValue = " // default " + displayName(elementValueText(*method.annotationDefault));
        }
        out.line(head + ";" + defaultValue);
        return;
    }
    printBody(out, context, method, names, captured, std::move(head));
}

}  // namespace jad
