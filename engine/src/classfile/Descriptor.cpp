#include "classfile/Descriptor.h"

#include <unordered_map>
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

// One type as read from descriptor text; a class type's name is the range
// [nameStart, nameStart + nameLength) of that text.
struct TypeSpan {
    char base = 'V';
    int dimensions = 0;
    size_t nameStart = 0, nameLength = 0;
};

// Reads one type at `pos`, advancing it; `allowVoid` for return types.
bool scanType(const std::string& text, size_t& pos, bool allowVoid, TypeSpan& type) {
    type = TypeSpan{};
    while (pos < text.size() && text[pos] == '[') {
        if (++type.dimensions > MaxDimensions) return false;
        ++pos;
    }
    if (pos >= text.size()) return false;
    char c = text[pos++];
    if (c == 'L') {
        const size_t end = std::string_view(text).find(';', pos);
        if (end == std::string_view::npos || end == pos) return false;
        type.base = 'L';
        type.nameStart = pos;
        type.nameLength = end - pos;
        pos = end + 1;
        return true;
    }
    if (isBase(c) || (c == 'V' && allowVoid && type.dimensions == 0)) {
        type.base = c;
        return true;
    }
    return false;
}

// Reads one type at `pos` into `type`, advancing `pos`; false on malformed text.
bool readType(const std::string& text, size_t& pos, bool allowVoid, JavaType& type) {
    TypeSpan span;
    if (!scanType(text, pos, allowVoid, span)) return false;
    type.base = span.base;
    type.dimensions = span.dimensions;
    if (span.base == 'L') type.className.assign(text, span.nameStart, span.nameLength);
    return true;
}

void noteClassName(const std::string& text, const TypeSpan& type, std::vector<std::string_view>& names) {
    if (type.base == 'L') names.emplace_back(text.data() + type.nameStart, type.nameLength);
}

bool scanClassNames(const std::string& text, std::vector<std::string_view>& names) {
    size_t pos = 0;
    TypeSpan type;
    if (text.empty() || text[0] != '(') {
        if (!scanType(text, pos, false, type) || pos != text.size()) return false;
        noteClassName(text, type, names);
        return true;
    }
    pos = 1;
    while (pos < text.size() && text[pos] != ')') {
        if (!scanType(text, pos, false, type)) return false;
        noteClassName(text, type, names);
    }
    if (pos >= text.size()) return false;
    ++pos;
    if (!scanType(text, pos, true, type) || pos != text.size()) return false;
    noteClassName(text, type, names);
    return true;
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
    std::optional<JavaType> type(std::in_place);
    if (!readType(text, pos, false, *type) || pos != text.size()) return std::nullopt;
    return type;
}

std::optional<MethodType> parseMethodDescriptor(const std::string& text) {
    if (text.empty() || text[0] != '(') return std::nullopt;
    std::optional<MethodType> method(std::in_place);
    size_t pos = 1;
    while (pos < text.size() && text[pos] != ')') {
        if (!readType(text, pos, false, method->parameters.emplace_back())) return std::nullopt;
    }
    if (pos >= text.size()) return std::nullopt;
    ++pos;
    if (!readType(text, pos, true, method->returnType) || pos != text.size()) return std::nullopt;
    return method;
}

std::shared_ptr<const MethodType> methodTypeOf(const std::string& text) {
    // Bounded: a run over many classes starts again rather than grow.
    constexpr size_t MaxRemembered = 8192;
    thread_local std::unordered_map<std::string, std::shared_ptr<const MethodType>> remembered;
    auto found = remembered.find(text);
    if (found != remembered.end()) return found->second;
    auto parsed = parseMethodDescriptor(text);
    std::shared_ptr<const MethodType> type;
    if (parsed) type = std::make_shared<const MethodType>(std::move(*parsed));
    if (remembered.size() >= MaxRemembered) remembered.clear();
    remembered.emplace(text, type);
    return type;
}

std::optional<size_t> parameterCount(const std::string& text) {
    if (text.empty() || text[0] != '(') return std::nullopt;
    size_t pos = 1, count = 0;
    TypeSpan type;
    while (pos < text.size() && text[pos] != ')') {
        if (!scanType(text, pos, false, type)) return std::nullopt;
        ++count;
    }
    if (pos >= text.size()) return std::nullopt;
    ++pos;
    if (!scanType(text, pos, true, type) || pos != text.size()) return std::nullopt;
    return count;
}

bool isFieldDescriptor(const std::string& text) {
    size_t pos = 0;
    TypeSpan type;
    return scanType(text, pos, false, type) && pos == text.size();
}

bool descriptorClassNames(const std::string& text, std::vector<std::string_view>& names) {
    names.clear();
    if (scanClassNames(text, names)) return true;
    names.clear();
    return false;
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
        if (auto type = parseFieldDescriptor(name)) return std::move(*type);
    }
    JavaType type;
    type.base = 'L';
    type.className = name;
    return type;
}

}  // namespace jad
