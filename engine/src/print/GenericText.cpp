#include "print/GenericText.h"

#include "print/Names.h"

namespace jad {

namespace {

std::string argumentList(const std::vector<TypeArgument>& arguments, const TypeNamer& types) {
    if (arguments.empty()) return std::string();
    std::string text = "<";
    for (size_t i = 0; i < arguments.size(); ++i) {
        if (i) text += ", ";
        const TypeArgument& argument = arguments[i];
        if (argument.kind == '*' || !argument.type) {
            text += "?";
            continue;
        }
        if (argument.kind == '+') text += "? extends ";
        if (argument.kind == '-') text += "? super ";
        text += genericTypeName(*argument.type, types);
    }
    return text + ">";
}

// From the first outer class given type arguments on, each class is
// written with its own, the inner ones by their simple names:
// "Map<K, V>.Entry", "Outer<T>.Inner<U>.Deeper".
std::string classTypeName(const GenericType& type, const TypeNamer& types) {
    size_t first = type.parts.size() - 1;
    for (size_t i = 0; i + 1 < type.parts.size(); ++i) {
        if (!type.parts[i].arguments.empty()) {
            first = i;
            break;
        }
    }
    std::string outer;
    for (size_t i = 0; i <= first; ++i) outer += (i ? "$" : "") + type.parts[i].name;
    std::string text = types.className(outer) + argumentList(type.parts[first].arguments, types);
    for (size_t i = first + 1; i < type.parts.size(); ++i) {
        text += "." + displayName(type.parts[i].name) + argumentList(type.parts[i].arguments, types);
    }
    return text;
}

bool isObject(const GenericType& type) {
    return type.kind == GenericType::Kind::Class && type.dimensions == 0 && type.parts.size() == 1 &&
           type.parts[0].name == "java/lang/Object" && type.parts[0].arguments.empty();
}

std::string baseName(const GenericType& type, const TypeNamer& types) {
    switch (type.kind) {
    case GenericType::Kind::Primitive: return primitiveName(type.primitive);
    case GenericType::Kind::Variable: return displayName(type.variable);
    case GenericType::Kind::Class: return classTypeName(type, types);
    }
    return std::string();
}

}  // namespace

std::string genericTypeName(const GenericType& type, const TypeNamer& types) {
    std::string text = baseName(type, types);
    for (int i = 0; i < type.dimensions; ++i) text += "[]";
    return text;
}

std::string varargsTypeName(const GenericType& type, const TypeNamer& types) {
    if (type.dimensions == 0) return genericTypeName(type, types);
    std::string text = baseName(type, types);
    for (int i = 1; i < type.dimensions; ++i) text += "[]";
    return text + "...";
}

std::string typeParameterList(const std::vector<TypeParameter>& parameters, const TypeNamer& types) {
    if (parameters.empty()) return std::string();
    std::string text = "<";
    for (size_t i = 0; i < parameters.size(); ++i) {
        const TypeParameter& parameter = parameters[i];
        if (i) text += ", ";
        text += displayName(parameter.name);
        std::vector<const GenericType*> bounds;
        if (parameter.classBound && !(isObject(*parameter.classBound) && parameter.interfaceBounds.empty())) {
            bounds.push_back(&*parameter.classBound);
        }
        for (const auto& bound : parameter.interfaceBounds) bounds.push_back(&bound);
        for (size_t b = 0; b < bounds.size(); ++b) {
            text += b ? " & " : " extends ";
            text += genericTypeName(*bounds[b], types);
        }
    }
    return text + ">";
}

JavaType erasure(const GenericType& type, const std::vector<const std::vector<TypeParameter>*>& scopes) {
    JavaType erased;
    erased.dimensions = type.dimensions;
    switch (type.kind) {
    case GenericType::Kind::Primitive: erased.base = type.primitive; break;
    case GenericType::Kind::Class:
        erased.base = 'L';
        erased.className = type.className();
        break;
    case GenericType::Kind::Variable: {
        erased.base = 'L';
        erased.className = "java/lang/Object";
        for (const auto* scope : scopes) {
            for (const auto& parameter : *scope) {
                if (parameter.name != type.variable) continue;
                const GenericType* bound = parameter.classBound ? &*parameter.classBound
                                           : parameter.interfaceBounds.empty() ? nullptr
                                                                               : &parameter.interfaceBounds[0];
                if (!bound) return erased;
                // A bound that is itself a variable: one step is enough for
                // what the check needs (a class name or Object).
                if (bound->kind == GenericType::Kind::Class) erased.className = bound->className();
                return erased;
            }
        }
        break;
    }
    }
    return erased;
}

}  // namespace jad
