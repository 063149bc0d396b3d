// Generic signatures (the Signature attribute of classes, fields, methods and
// record components) read into types: type variables, bounds, wildcards,
// arrays and the type arguments of inner classes.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace jad {

struct GenericType;

struct TypeArgument {
    // '*' unbounded wildcard, '+' extends, '-' super, '=' the type itself
    char kind = '=';
    std::shared_ptr<const GenericType> type;  // null for '*'
};

// One step of a class type: the first holds the internal name of the
// outermost class named ("java/util/Map"), each further one the simple name
// of an inner class of the one before ("Entry").
struct ClassTypePart {
    std::string name;
    std::vector<TypeArgument> arguments;
};

struct GenericType {
    enum class Kind { Primitive, Class, Variable };
    Kind kind = Kind::Primitive;
    char primitive = 'V';              // Primitive: the descriptor letter, 'V' for void
    std::vector<ClassTypePart> parts;  // Class
    std::string variable;              // Variable: its name
    int dimensions = 0;

    // The internal name of the class named, "java/util/Map$Entry".
    std::string className() const;
    bool hasArguments() const;
};

struct TypeParameter {
    std::string name;
    std::optional<GenericType> classBound;  // absent when only interface bounds follow
    std::vector<GenericType> interfaceBounds;
};

struct ClassSignature {
    std::vector<TypeParameter> typeParameters;
    GenericType superclass;
    std::vector<GenericType> interfaces;
};

struct MethodSignature {
    std::vector<TypeParameter> typeParameters;
    std::vector<GenericType> parameters;
    GenericType result;  // void: Primitive 'V'
    std::vector<GenericType> exceptions;
};

// Nothing when the text is malformed (or nested beyond any compiler's).
std::optional<ClassSignature> parseClassSignature(const std::string& text);
std::optional<GenericType> parseFieldSignature(const std::string& text);
std::optional<MethodSignature> parseMethodSignature(const std::string& text);

// The internal names of every class the type mentions, arguments and bounds included.
void collectClassNames(const GenericType& type, std::vector<std::string>& into);
void collectClassNames(const std::vector<TypeParameter>& parameters, std::vector<std::string>& into);

}  // namespace jad
