#include "print/AnnotationText.h"

#include "classfile/Descriptor.h"
#include "print/Literals.h"

namespace jad {

namespace {

// Longer texts are cut: they only feed a comment.
constexpr size_t MaxText = 4096;

// "Ljava/util/Map$Entry;" -> "java.util.Map.Entry"; java.lang's own types
// short. The reader let through only descriptors that parse, and "V".
std::string sourceName(const std::string& descriptor) {
    auto type = parseFieldDescriptor(descriptor);
    if (!type && descriptor == "V") type = JavaType{};
    if (!type) return descriptor;
    std::string name;
    if (type->base == 'L') {
        name = type->className;
        const std::string lang = "java/lang/";
        if (name.compare(0, lang.size(), lang) == 0 && name.find('/', lang.size()) == std::string::npos) {
            name.erase(0, lang.size());
        }
        for (char& c : name) {
            if (c == '/' || c == '$') c = '.';
        }
    } else {
        name = primitiveName(type->base);
    }
    for (int i = 0; i < type->dimensions; ++i) name += "[]";
    return name;
}

std::string cut(const std::string& text) { return text.size() <= MaxText ? text : text.substr(0, MaxText) + "..."; }

// Keeps growing text bounded, however many pieces there are.
void append(std::string& text, const std::string& piece) {
    if (text.size() >= MaxText) return;
    text += piece;
    if (text.size() >= MaxText) text += "...";
}

std::string arrayText(const std::vector<ElementValue>& values) {
    std::string text;
    for (size_t i = 0; i < values.size(); ++i) {
        std::string value = elementValueText(values[i]);
        if (i > 0) append(text, ", ");
        append(text, value);
    }
    return "{" + text + "}";
}

}  // namespace

std::string annotationText(const Annotation& annotation) {
    std::string text = "@" + sourceName(annotation.type);
    const size_t pairs = annotation.elements.size();
    std::string arguments;
    for (size_t i = 0; i < pairs; ++i) {
        const AnnotationElement& element = annotation.elements[i];
        std::string value = elementValueText(element.value);
        const bool single = pairs == 1 && element.name == "value";
        if (i > 0) append(arguments, ", ");
        if (!single) append(arguments, element.name + " = ");
        append(arguments, value);
    }
    if (pairs > 0) text += "(" + arguments + ")";
    return text;
}

std::string elementValueText(const ElementValue& value) {
    switch (value.tag) {
    case 'B': case 'S': case 'I': return intLiteral(static_cast<int32_t>(value.integer));
    case 'C': return charLiteral(static_cast<char16_t>(value.integer));
    case 'Z': return value.integer != 0 ? "true" : "false";
    case 'J': return longLiteral(value.integer);
    case 'F': return floatLiteral(value.floatValue);
    case 'D': return doubleLiteral(value.doubleValue);
    case 's': return cut(stringLiteral(decodeModifiedUtf8(value.text)));
    case 'e': return sourceName(value.enumType) + "." + cut(value.text);
    case 'c': return sourceName(value.text) + ".class";
    case '@': return value.annotation.empty() ? "@?" : annotationText(value.annotation[0]);
    case '[': return arrayText(value.elements);
    default: return "?";
    }
}

}  // namespace jad
