#include "classfile/Signature.h"

#include <cstring>

namespace jad {

namespace {

// Nesting beyond this is not from a compiler; it also bounds recursion.
constexpr int MaxDepth = 64;

struct Malformed {};

class Reader {
public:
    explicit Reader(const std::string& text) : _text(text) {}

    bool atEnd() const { return _pos >= _text.size(); }
    char peek() const { return atEnd() ? '\0' : _text[_pos]; }
    void expect(char c) {
        if (peek() != c) throw Malformed{};
        ++_pos;
    }

    std::vector<TypeParameter> typeParameters() {
        std::vector<TypeParameter> parameters;
        if (peek() != '<') return parameters;
        ++_pos;
        while (peek() != '>') parameters.push_back(typeParameter());
        ++_pos;
        if (parameters.empty()) throw Malformed{};
        return parameters;
    }

    GenericType referenceType(int depth) {
        if (depth > MaxDepth) throw Malformed{};
        switch (peek()) {
        case 'L': return classType(depth);
        case 'T': {
            ++_pos;
            GenericType type;
            type.kind = GenericType::Kind::Variable;
            type.variable = identifier(";");
            if (type.variable.find('/') != std::string::npos) throw Malformed{};
            expect(';');
            return type;
        }
        case '[': {
            ++_pos;
            GenericType type = javaType(depth + 1);
            ++type.dimensions;
            return type;
        }
        default: throw Malformed{};
        }
    }

    GenericType javaType(int depth) {
        if (std::strchr("BCDFIJSZ", peek()) && peek() != '\0') {
            GenericType type;
            type.primitive = _text[_pos++];
            return type;
        }
        return referenceType(depth);
    }

    GenericType result() {
        if (peek() == 'V') {
            ++_pos;
            return GenericType{};
        }
        return javaType(0);
    }

private:
    static bool isStop(char c, const char* stops) { return std::strchr(stops, c) != nullptr; }

    // Up to the first of `stops`; the characters that separate the parts
    // of a signature never belong to a name.
    std::string identifier(const char* stops) {
        size_t start = _pos;
        while (!atEnd() && !isStop(_text[_pos], stops)) {
            if (std::strchr(".;[<>:", _text[_pos]) || _text[_pos] == '\0') throw Malformed{};
            ++_pos;
        }
        if (_pos == start) throw Malformed{};
        return _text.substr(start, _pos - start);
    }

    TypeParameter typeParameter() {
        TypeParameter parameter;
        parameter.name = identifier(":");
        if (parameter.name.find('/') != std::string::npos) throw Malformed{};
        expect(':');
        if (peek() != ':') parameter.classBound = referenceType(0);
        while (peek() == ':') {
            ++_pos;
            parameter.interfaceBounds.push_back(referenceType(0));
        }
        return parameter;
    }

    GenericType classType(int depth) {
        ++_pos;
        GenericType type;
        type.kind = GenericType::Kind::Class;
        ClassTypePart first;
        first.name = identifier("<.;");
        first.arguments = typeArguments(depth);
        type.parts.push_back(std::move(first));
        while (peek() == '.') {
            ++_pos;
            ClassTypePart inner;
            inner.name = identifier("<.;");
            if (inner.name.find('/') != std::string::npos) throw Malformed{};
            inner.arguments = typeArguments(depth);
            type.parts.push_back(std::move(inner));
        }
        expect(';');
        return type;
    }

    std::vector<TypeArgument> typeArguments(int depth) {
        std::vector<TypeArgument> arguments;
        if (peek() != '<') return arguments;
        ++_pos;
        while (peek() != '>') arguments.push_back(typeArgument(depth + 1));
        ++_pos;
        if (arguments.empty()) throw Malformed{};
        return arguments;
    }

    TypeArgument typeArgument(int depth) {
        TypeArgument argument;
        char c = peek();
        if (c == '*') {
            ++_pos;
            argument.kind = '*';
            return argument;
        }
        if (c == '+' || c == '-') {
            ++_pos;
            argument.kind = c;
        }
        argument.type = std::make_shared<const GenericType>(referenceType(depth));
        return argument;
    }

    const std::string& _text;
    size_t _pos = 0;
};

void collectArguments(const std::vector<TypeArgument>& arguments, std::vector<std::string>& into) {
    for (const auto& argument : arguments) {
        if (argument.type) collectClassNames(*argument.type, into);
    }
}

}  // namespace

std::string GenericType::className() const {
    std::string name;
    for (const auto& part : parts) {
        if (!name.empty()) name += '$';
        name += part.name;
    }
    return name;
}

bool GenericType::hasArguments() const {
    for (const auto& part : parts) {
        if (!part.arguments.empty()) return true;
    }
    return false;
}

std::optional<ClassSignature> parseClassSignature(const std::string& text) {
    try {
        Reader in(text);
        ClassSignature signature;
        signature.typeParameters = in.typeParameters();
        signature.superclass = in.referenceType(0);
        while (!in.atEnd()) signature.interfaces.push_back(in.referenceType(0));
        if (signature.superclass.kind != GenericType::Kind::Class || signature.superclass.dimensions) return std::nullopt;
        for (const auto& type : signature.interfaces) {
            if (type.kind != GenericType::Kind::Class || type.dimensions) return std::nullopt;
        }
        return signature;
    } catch (const Malformed&) {
        return std::nullopt;
    }
}

std::optional<GenericType> parseFieldSignature(const std::string& text) {
    try {
        Reader in(text);
        GenericType type = in.referenceType(0);
        if (!in.atEnd()) return std::nullopt;
        return type;
    } catch (const Malformed&) {
        return std::nullopt;
    }
}

std::optional<MethodSignature> parseMethodSignature(const std::string& text) {
    try {
        Reader in(text);
        MethodSignature signature;
        signature.typeParameters = in.typeParameters();
        in.expect('(');
        while (in.peek() != ')') {
            if (in.atEnd()) return std::nullopt;
            signature.parameters.push_back(in.javaType(0));
        }
        in.expect(')');
        signature.result = in.result();
        while (in.peek() == '^') {
            in.expect('^');
            signature.exceptions.push_back(in.referenceType(0));
        }
        if (!in.atEnd()) return std::nullopt;
        return signature;
    } catch (const Malformed&) {
        return std::nullopt;
    }
}

void collectClassNames(const GenericType& type, std::vector<std::string>& into) {
    if (type.kind != GenericType::Kind::Class) return;
    into.push_back(type.className());
    for (const auto& part : type.parts) collectArguments(part.arguments, into);
}

void collectClassNames(const std::vector<TypeParameter>& parameters, std::vector<std::string>& into) {
    for (const auto& parameter : parameters) {
        if (parameter.classBound) collectClassNames(*parameter.classBound, into);
        for (const auto& bound : parameter.interfaceBounds) collectClassNames(bound, into);
    }
}

}  // namespace jad
