// Field and method descriptors ("[Ljava/lang/String;", "(IJ)V") as types.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace jad {

struct JavaType {
    // 'B' 'C' 'D' 'F' 'I' 'J' 'S' 'Z' 'V', or 'L' for a class type.
    char base = 'V';
    int dimensions = 0;
    std::string className;  // 'L' only: internal name, "java/lang/String"

    bool isArray() const { return dimensions > 0; }
    bool isReference() const { return base == 'L' || dimensions > 0; }
    bool isWide() const { return dimensions == 0 && (base == 'J' || base == 'D'); }
    int slots() const { return isWide() ? 2 : (base == 'V' && dimensions == 0 ? 0 : 1); }
    // The descriptor text this type came from.
    std::string descriptor() const;
    JavaType elementType() const;  // one dimension less
};

struct MethodType {
    std::vector<JavaType> parameters;
    JavaType returnType;
};

// Nothing on malformed text: callers decide whether that is a format error.
std::optional<JavaType> parseFieldDescriptor(const std::string& text);
std::optional<MethodType> parseMethodDescriptor(const std::string& text);

// parseMethodDescriptor, remembered per thread: a class asks for the same few
// descriptors at every call site. Null on malformed text.
std::shared_ptr<const MethodType> methodTypeOf(const std::string& text);

// Whether the text is a well-formed field descriptor; nothing is built.
bool isFieldDescriptor(const std::string& text);

// The number of parameters of a well-formed method descriptor, without
// building its types; nothing on malformed text.
std::optional<size_t> parameterCount(const std::string& methodDescriptor);

// The class names (internal form) a field or method descriptor mentions, in
// order, without building its types; false, and no names, on malformed text.
bool descriptorClassNames(const std::string& text, std::vector<std::string_view>& names);

// The Java keyword of a primitive descriptor letter ('I' -> "int", 'V' ->
// "void"); nullptr for any other character.
const char* primitiveName(char base);

// A Class constant's name as a type: "java/lang/String" or "[I".
JavaType typeOfClassName(const std::string& internalNameOrArray);

}  // namespace jad
