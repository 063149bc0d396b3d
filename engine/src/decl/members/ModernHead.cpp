#include "decl/members/ModernHead.h"

#include <set>

#include "classfile/AccessFlags.h"
#include "classfile/Signature.h"
#include "classfile/SignatureCache.h"
#include "decl/parts/AnnotationLines.h"
#include "decl/parts/GenericText.h"
#include "decl/parts/ModernKinds.h"
#include "decl/parts/Modifiers.h"
#include "print/Names.h"

namespace jad {

namespace {

bool isSealed(const ClassFile& file) { return !file.permittedSubclasses.empty(); }

// A class that extends or implements a sealed type says how it goes on:
// final, sealed, or non-sealed.
bool needsNonSealed(const ClassFile& file, const UnitContext* unit) {
    if (!unit || isSealed(file) || (file.access & access::Final)) return false;
    std::vector<std::string> supers = file.interfaces;
    if (!file.superClass.empty()) supers.push_back(file.superClass);
    for (const auto& name : supers) {
        const ClassFile* super = unit->findClass(name);
        if (!super || !isSealed(*super)) continue;
        for (const auto& permitted : super->permittedSubclasses) {
            if (permitted == file.thisClass) return true;
        }
    }
    return false;
}

std::string modifiers(const ClassNode& node, ClassKind kind, const UnitContext* unit) {
    const ClassFile& file = node.file;
    uint16_t access = node.member ? node.access : file.access;
    std::string text = node.member ? visibility(access) : visibility(access & access::Public);
    switch (kind) {
    case ClassKind::Class:
        if (access & access::Abstract) text += "abstract ";
        if (node.member && (access & access::Static)) text += "static ";
        if (access & access::Final) text += "final ";
        break;
    case ClassKind::Interface:
    case ClassKind::Annotation:
    case ClassKind::Enum:
    case ClassKind::Record:
        break;  // abstract, static and final as the kind implies
    }
    if (isSealed(file) && kind != ClassKind::Enum) text += "sealed ";
    else if (kind != ClassKind::Enum && kind != ClassKind::Record && needsNonSealed(file, unit)) text += "non-sealed ";
    return text;
}

const char* keyword(ClassKind kind) {
    switch (kind) {
    case ClassKind::Class: return "class ";
    case ClassKind::Interface: return "interface ";
    case ClassKind::Annotation: return "@interface ";
    case ClassKind::Enum: return "enum ";
    case ClassKind::Record: return "record ";
    }
    return "class ";
}

// A top-level class's head (its type parameters, supertypes and permitted
// subclasses) comes before its body, where its member classes are in scope:
// there they are written Top.Member.
class HeadNamer : public TypeNamer {
public:
    HeadNamer(const ClassNode& top, const TypeNamer& body) : _body(body), _prefix(top.file.thisClass + "$") {
        _topName = displayName(top.name);
        for (const ClassNode& member : top.members) _members.insert(displayName(member.name));
    }

    std::string className(const std::string& internalName) const override {
        std::string name = _body.className(internalName);
        if (internalName.compare(0, _prefix.size(), _prefix) != 0) return name;
        return _members.count(name.substr(0, name.find('.'))) ? _topName + "." + name : name;
    }

private:
    const TypeNamer& _body;
    std::string _prefix, _topName;
    std::set<std::string> _members;
};

struct Supertypes {
    std::string typeParameters;
    std::string superclass;  // empty: none to write
    std::vector<std::string> interfaces;
};

Supertypes erasedSupertypes(const ClassFile& file, const TypeNamer& types) {
    Supertypes supers;
    if (!file.superClass.empty()) supers.superclass = types.className(file.superClass);
    for (const auto& name : file.interfaces) supers.interfaces.push_back(types.className(name));
    return supers;
}

// The signature's supertypes, when they name the very classes the class
// file lists.
std::optional<Supertypes> genericSupertypes(const ClassFile& file, const TypeNamer& types) {
    auto signature = cachedClassSignature(file.signature);
    if (!signature || signature->interfaces.size() != file.interfaces.size()) return std::nullopt;
    if (signature->superclass.className() != file.superClass) return std::nullopt;
    Supertypes supers;
    supers.typeParameters = typeParameterList(signature->typeParameters, types);
    supers.superclass = genericTypeName(signature->superclass, types);
    for (size_t i = 0; i < file.interfaces.size(); ++i) {
        if (signature->interfaces[i].className() != file.interfaces[i]) return std::nullopt;
        supers.interfaces.push_back(genericTypeName(signature->interfaces[i], types));
    }
    return supers;
}

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const auto& name : names) text += (text.empty() ? "" : ", ") + name;
    return text;
}

bool isVarargsRecord(const ClassFile& file) {
    for (const auto& method : file.methods) {
        if (isCanonicalConstructor(file, method)) return (method.access & access::Varargs) != 0;
    }
    return false;
}

std::string recordComponents(const ClassFile& file, const TypeNamer& types, std::vector<std::string>& notes) {
    std::string text = "(";
    const bool varargs = isVarargsRecord(file);
    for (size_t i = 0; i < file.record->size(); ++i) {
        const RecordComponent& component = (*file.record)[i];
        if (i) text += ", ";
        text += inlineAnnotations(component.annotations, file);
        const bool last = varargs && i + 1 == file.record->size();
        std::optional<GenericType> type;
        if (!component.signature.empty()) {
            type = parseFieldSignature(component.signature);
            if (!type) notes.push_back(malformedSignatureNote(component.signature));
        }
        if (type) {
            text += last ? varargsTypeName(*type, types) : genericTypeName(*type, types);
        } else {
            std::string erased = types.typeName(*parseFieldDescriptor(component.descriptor));
            if (last && erased.size() > 2) erased = erased.substr(0, erased.size() - 2) + "...";
            text += erased;
        }
        text += " " + displayName(component.name);
    }
    return text + ")";
}

}  // namespace

std::string malformedSignatureNote(const std::string& signature) {
    return "// generic signature not readable, erased: " + displayName(signature);
}

std::string unfitSignatureNote(const std::string& signature) {
    return "// generic signature does not fit the descriptor, erased: " + displayName(signature);
}

ModernHead modernClassHead(const ClassNode& node, const TypeNamer& bodyTypes, const UnitContext* unit) {
    const ClassFile& file = node.file;
    const HeadNamer topHead(node, bodyTypes);
    const TypeNamer& types = node.member || node.inPlace ? bodyTypes : topHead;
    const ClassKind kind = classKind(file);
    ModernHead head;
    Supertypes supers;
    if (auto generic = file.signature.empty() ? std::nullopt : genericSupertypes(file, types)) {
        supers = std::move(*generic);
        head.generic = true;
    } else {
        if (!file.signature.empty()) {
            head.notes.push_back(parseClassSignature(file.signature) ? unfitSignatureNote(file.signature)
                                                                     : malformedSignatureNote(file.signature));
        }
        supers = erasedSupertypes(file, types);
    }
    head.text = modifiers(node, kind, unit) + keyword(kind) + displayName(node.name) + supers.typeParameters;
    // (A record's components see its member classes.)
    if (kind == ClassKind::Record) head.text += recordComponents(file, bodyTypes, head.notes);
    switch (kind) {
    case ClassKind::Interface:
        if (!supers.interfaces.empty()) head.text += " extends " + joined(supers.interfaces);
        break;
    case ClassKind::Annotation: break;  // java.lang.annotation.Annotation, implied
    case ClassKind::Class:
        if (!file.superClass.empty() && file.superClass != "java/lang/Object") head.text += " extends " + supers.superclass;
        [[fallthrough]];
    case ClassKind::Enum:
    case ClassKind::Record:
        if (!supers.interfaces.empty()) head.text += " implements " + joined(supers.interfaces);
        break;
    }
    // An enum's constant bodies are its permitted subclasses, implied.
    if (isSealed(file) && kind != ClassKind::Enum) {
        std::vector<std::string> permitted;
        for (const auto& name : file.permittedSubclasses) permitted.push_back(types.className(name));
        head.text += " permits " + joined(permitted);
    }
    return head;
}

}  // namespace jad
