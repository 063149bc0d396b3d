#include "classfile/Descriptor.h"

#include <utility>

namespace jad {

namespace {

// Arrays deeper than the JVM allows are malformed.
constexpr int MaxDimensions = 255;

bool isBase(char c) {
    switch (c) {
    case 'B': case 'C': case 'D': case 'F': case 'I': case 'J': case 'S': case 'Z':
        return true;
    default:
        return false;
    }
}

// Reads one type at `pos`, advancing it; `allowVoid` for return types.
std::optional<JavaType> readType(const std::string& text, size_t& pos, bool allowVoid) {
    JavaType type;
    while (pos < text.size() && text[pos] == '[') {
        if (++type.dimensions > MaxDimensions) return std::nullopt;
        ++pos;
    }
    if (pos >= text.size()) return std::nullopt;
    char c = text[pos++];
    if (c == 'L') {
        size_t end = text.find(';', pos);
        if (end == std::string::npos || end == pos) return std::nullopt;
        type.base = 'L';
        type.className = text.substr(pos, end - pos);
        pos = end + 1;
        return type;
    }
    if (isBase(c) || (c == 'V' && allowVoid && type.dimensions == 0)) {
        type.base = c;
        return type;
    }
    return std::nullopt;
}

}  // namespace

std::string JavaType::descriptor() const {
    std::string text(static_cast<size_t>(dimensions), '[');
    if (base == 'L') return text + "L" + className + ";";
    return text + base;
}

JavaType JavaType::elementType() const {
    JavaType element = *this;
    if (element.dimensions > 0) --element.dimensions;
    return element;
}

std::optional<JavaType> parseFieldDescriptor(const std::string& text) {
    size_t pos = 0;
    auto type = readType(text, pos, false);
    if (!type || pos != text.size()) return std::nullopt;
    return type;
}

std::optional<MethodType> parseMethodDescriptor(const std::string& text) {
    if (text.empty() || text[0] != '(') return std::nullopt;
    MethodType method;
    size_t pos = 1;
    while (pos < text.size() && text[pos] != ')') {
        auto parameter = readType(text, pos, false);
        if (!parameter) return std::nullopt;
        method.parameters.push_back(std::move(*parameter));
    }
    if (pos >= text.size()) return std::nullopt;
    ++pos;
    auto result = readType(text, pos, true);
    if (!result || pos != text.size()) return std::nullopt;
    method.returnType = std::move(*result);
    return method;
}

const char* primitiveName(char base) {
    switch (base) {
    case 'B': return "byte";
    case 'C': return "char";
    case 'D': return "double";
    case 'F': return "float";
    case 'I': return "int";
    case 'J': return "long";
    case 'S': return "short";
    case 'Z': return "boolean";
    case 'V': return "void";
    default: return nullptr;
    }
}

JavaType typeOfClassName(const std::string& name) {
    if (!name.empty() && name[0] == '[') {
        if (auto type = parseFieldDescriptor(name)) return *type;
    }
    JavaType type;
    type.base = 'L';
    type.className = name;
    return type;
}

}  // namespace jad
