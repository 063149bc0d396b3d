#include "decl/parts/SignatureText.h"

#include <cstring>

#include "classfile/Descriptor.h"
#include "print/Names.h"

namespace jad {

namespace {

// Nesting beyond this is not from a compiler; it also bounds recursion.
constexpr int MaxDepth = 64;

struct Malformed {};

// A recursive-descent reader over one signature.
class SignatureReader {
public:
    explicit SignatureReader(const std::string& text) : _text(text) {}

    bool atEnd() const { return _pos >= _text.size(); }
    char peek() const { return atEnd() ? '\0' : _text[_pos]; }
    void expect(char c) {
        if (peek() != c) throw Malformed{};
        ++_pos;
    }

    std::string typeParameters() {
        if (peek() != '<') return std::string();
        ++_pos;
        std::string text = "<";
        while (peek() != '>') {
            if (text.size() > 1) text += ", ";
            text += typeParameter();
        }
        ++_pos;
        return text + ">";
    }

    std::string referenceType(int depth = 0) {
        if (depth > MaxDepth) throw Malformed{};
        switch (peek()) {
        case 'L': return classType(depth);
        case 'T': {
            ++_pos;
            std::string name = identifier(";");
            expect(';');
            return displayName(name);
        }
        case '[': ++_pos; return javaType(depth + 1) + "[]";
        default: throw Malformed{};
        }
    }

    std::string javaType(int depth = 0) {
        const char* primitive = primitiveName(peek());
        if (primitive) {
            ++_pos;
            return primitive;
        }
        return referenceType(depth);
    }

    std::string result() {
        if (peek() == 'V') {
            ++_pos;
            return "void";
        }
        return javaType();
    }

private:

    static bool isStop(char c, const char* stops) { return c != '\0' && std::strchr(stops, c) != nullptr; }

    std::string identifier(const char* stops) {
        size_t start = _pos;
        while (!atEnd() && !isStop(_text[_pos], stops)) ++_pos;
        if (_pos == start) throw Malformed{};
        return _text.substr(start, _pos - start);
    }

    std::string typeParameter() {
        std::string text = displayName(identifier(":"));
        std::vector<std::string> bounds;
        while (peek() == ':') {
            ++_pos;
            if (peek() == ':') continue;  // no class bound, interface bounds follow
            bounds.push_back(referenceType());
        }
        if (bounds.size() == 1 && bounds[0] == "Object") return text;
        for (size_t i = 0; i < bounds.size(); ++i) text += (i == 0 ? " extends " : " & ") + bounds[i];
        return text;
    }

    // "Ljava/util/Map<TK;TV;>.Entry<TK;TV;>;" -> "Map<K, V>.Entry<K, V>"
    std::string classType(int depth) {
        ++_pos;
        std::string name = identifier("<.;");
        size_t slash = name.rfind('/');
        std::string text = displayName(slash == std::string::npos ? name : name.substr(slash + 1));
        for (char& c : text) {
            if (c == '$') c = '.';
        }
        text += typeArguments(depth);
        while (peek() == '.') {
            ++_pos;
            std::string inner = displayName(identifier("<.;"));  // before its arguments
            text += "." + inner + typeArguments(depth);
        }
        expect(';');
        return text;
    }

    std::string typeArguments(int depth) {
        if (peek() != '<') return std::string();
        ++_pos;
        std::string text = "<";
        while (peek() != '>') {
            if (text.size() > 1) text += ", ";
            text += typeArgument(depth + 1);
        }
        ++_pos;
        return text + ">";
    }

    std::string typeArgument(int depth) {
        switch (peek()) {
        case '*': ++_pos; return "?";
        case '+': ++_pos; return "? extends " + referenceType(depth);
        case '-': ++_pos; return "? super " + referenceType(depth);
        default: return referenceType(depth);
        }
    }

    const std::string& _text;
    size_t _pos = 0;
};

}  // namespace

std::optional<std::string> classSignatureText(const std::string& signature, const std::string& keyword,
                                              const std::string& name) {
    if (signature.empty()) return std::nullopt;  // most members have none; no need to fail a parse
    try {
        SignatureReader in(signature);
        std::string text = keyword + " " + name + in.typeParameters();
        std::string superclass = in.referenceType();
        std::vector<std::string> interfaces;
        while (!in.atEnd()) interfaces.push_back(in.referenceType());
        bool isInterface = keyword == "interface";
        if (!isInterface && superclass != "Object") text += " extends " + superclass;
        for (size_t i = 0; i < interfaces.size(); ++i) {
            text += (i == 0 ? (isInterface ? " extends " : " implements ") : ", ") + interfaces[i];
        }
        return text;
    } catch (const Malformed&) {
        return std::nullopt;
    }
}

std::optional<std::string> fieldSignatureText(const std::string& signature, const std::string& name) {
    if (signature.empty()) return std::nullopt;
    try {
        SignatureReader in(signature);
        std::string type = in.referenceType();
        if (!in.atEnd()) return std::nullopt;
        return type + " " + name;
    } catch (const Malformed&) {
        return std::nullopt;
    }
}

std::optional<std::string> methodSignatureText(const std::string& signature, const std::string& name,
                                               const std::vector<std::string>& parameterNames, bool isConstructor) {
    if (signature.empty()) return std::nullopt;
    try {
        SignatureReader in(signature);
        std::string typeParameters = in.typeParameters();
        in.expect('(');
        std::vector<std::string> parameters;
        while (in.peek() != ')') parameters.push_back(in.javaType());
        in.expect(')');
        std::string result = in.result();
        std::string throws;
        while (in.peek() == '^') {
            in.expect('^');
            throws += (throws.empty() ? " throws " : ", ") + in.referenceType();
        }
        if (!in.atEnd()) return std::nullopt;
        // Signatures may leave out synthetic leading parameters; name from the end.
        size_t offset = parameterNames.size() >= parameters.size() ? parameterNames.size() - parameters.size() : 0;
        std::string list;
        for (size_t i = 0; i < parameters.size(); ++i) {
            if (i > 0) list += ", ";
            list += parameters[i];
            if (i + offset < parameterNames.size()) list += " " + parameterNames[i + offset];
        }
        std::string head = typeParameters.empty() ? std::string() : typeParameters + " ";
        if (!isConstructor) head += result + " ";
        return head + name + "(" + list + ")" + throws;
    } catch (const Malformed&) {
        return std::nullopt;
    }
}

}  // namespace jad
