#include "classfile/AnnotationReader.h"

#include "classfile/Descriptor.h"
#include "print/Literals.h"

namespace jad {

namespace {

// Nested annotations and arrays deeper than this are not from a compiler.
constexpr int MaxDepth = 32;
// Longer texts are cut: they only feed a comment.
constexpr size_t MaxText = 4096;

// "Ljava/util/Map$Entry;" -> "java.util.Map.Entry"; java.lang's own types short.
std::string sourceName(const std::string& descriptor, bool allowVoid) {
    auto type = parseFieldDescriptor(descriptor);
    if (!type && allowVoid && descriptor == "V") type = JavaType{};
    if (!type) throw ClassFormatError{"annotation names malformed type " + descriptor};
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

class AnnotationText {
public:
    AnnotationText(ByteCursor& in, ReadContext& context) : _in(in), _context(context) {}

    std::string annotation(int depth) {
        checkDepth(depth);
        std::string text = "@" + sourceName(_context.pool().utf8(_in.u2()), false);
        uint16_t pairs = _in.u2();
        std::string arguments;
        bool single = false;
        for (uint16_t i = 0; i < pairs; ++i) {
            const std::string& name = _context.pool().utf8(_in.u2());
            std::string value = elementValue(depth + 1);
            single = pairs == 1 && name == "value";
            if (i > 0) append(arguments, ", ");
            if (!single) append(arguments, name + " = ");
            append(arguments, value);
        }
        if (pairs > 0) text += "(" + arguments + ")";
        return text;
    }

    std::string elementValue(int depth) {
        checkDepth(depth);
        char tag = static_cast<char>(_in.u1());
        switch (tag) {
        case 'B': case 'S': case 'I':
            return intLiteral(constant(ConstantTag::Integer).intValue);
        case 'C':
            return charLiteral(static_cast<char16_t>(constant(ConstantTag::Integer).intValue));
        case 'Z':
            return constant(ConstantTag::Integer).intValue != 0 ? "true" : "false";
        case 'J': return longLiteral(constant(ConstantTag::Long).longValue);
        case 'F': return floatLiteral(constant(ConstantTag::Float).floatValue);
        case 'D': return doubleLiteral(constant(ConstantTag::Double).doubleValue);
        case 's': return cut(stringLiteral(decodeModifiedUtf8(_context.pool().utf8(_in.u2()))));
        case 'e': {
            std::string type = sourceName(_context.pool().utf8(_in.u2()), false);
            return type + "." + cut(_context.pool().utf8(_in.u2()));
        }
        case 'c': return sourceName(_context.pool().utf8(_in.u2()), true) + ".class";
        case '@': return annotation(depth + 1);
        case '[': return array(depth + 1);
        default:
            throw ClassFormatError{"annotation element has unknown tag " +
                                   std::to_string(static_cast<unsigned char>(tag))};
        }
    }

private:
    std::string array(int depth) {
        uint16_t count = _in.u2();
        std::string text;
        for (uint16_t i = 0; i < count; ++i) {
            std::string value = elementValue(depth);
            if (i > 0) append(text, ", ");
            append(text, value);
        }
        return "{" + text + "}";
    }

    const Constant& constant(ConstantTag tag) { return _context.pool().at(_in.u2(), tag); }

    void checkDepth(int depth) const {
        if (depth > MaxDepth) throw ClassFormatError{"annotation nested too deeply"};
    }

    static std::string cut(const std::string& text) {
        return text.size() <= MaxText ? text : text.substr(0, MaxText) + "...";
    }

    // Keeps growing text bounded while the bytes are still read to the end.
    static void append(std::string& text, const std::string& piece) {
        if (text.size() >= MaxText) return;
        text += piece;
        if (text.size() >= MaxText) text += "...";
    }

    ByteCursor& _in;
    ReadContext& _context;
};

}  // namespace

AnnotationTexts readAnnotations(ByteCursor& in, ReadContext& context) {
    uint16_t count = in.u2();
    AnnotationTexts texts;
    AnnotationText reader(in, context);
    for (uint16_t i = 0; i < count; ++i) {
        texts.push_back(reader.annotation(0));
        context.charge(texts.back().size());
    }
    return texts;
}

std::vector<AnnotationTexts> readParameterAnnotations(ByteCursor& in, ReadContext& context) {
    uint8_t count = in.u1();
    std::vector<AnnotationTexts> parameters;
    for (uint8_t i = 0; i < count; ++i) parameters.push_back(readAnnotations(in, context));
    return parameters;
}

std::string readElementValue(ByteCursor& in, ReadContext& context) {
    std::string text = AnnotationText(in, context).elementValue(0);
    context.charge(text.size());
    return text;
}

}  // namespace jad
