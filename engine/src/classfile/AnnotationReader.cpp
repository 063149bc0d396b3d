#include "classfile/AnnotationReader.h"

#include "classfile/Descriptor.h"

namespace jad {

namespace {

// Nested annotations and arrays deeper than this are not from a compiler.
constexpr int MaxDepth = 32;
// What one value costs the text budget besides its strings.
constexpr size_t ValueCost = 16;

// The printer names these types: one that does not parse fails the class.
const std::string& checkedType(const std::string& descriptor, bool allowVoid) {
    if (!parseFieldDescriptor(descriptor) && !(allowVoid && descriptor == "V")) {
        throw ClassFormatError{"annotation names malformed type " + descriptor};
    }
    return descriptor;
}

class AnnotationValues {
public:
    AnnotationValues(ByteCursor& in, ReadContext& context) : _in(in), _context(context) {}

    Annotation annotation(int depth) {
        checkDepth(depth);
        Annotation a;
        a.type = checkedType(_context.utf8(_in.u2()), false);
        uint16_t pairs = _in.u2();
        for (uint16_t i = 0; i < pairs; ++i) {
            AnnotationElement element;
            element.name = _context.utf8(_in.u2());
            element.value = elementValue(depth + 1);
            a.elements.push_back(std::move(element));
        }
        return a;
    }

    ElementValue elementValue(int depth) {
        checkDepth(depth);
        _context.charge(ValueCost);
        ElementValue v;
        v.tag = static_cast<char>(_in.u1());
        switch (v.tag) {
        case 'B': case 'C': case 'I': case 'S': case 'Z': v.integer = constant(ConstantTag::Integer).intValue; break;
        case 'J': v.integer = constant(ConstantTag::Long).longValue; break;
        case 'F': v.floatValue = constant(ConstantTag::Float).floatValue; break;
        case 'D': v.doubleValue = constant(ConstantTag::Double).doubleValue; break;
        case 's': v.text = _context.utf8(_in.u2()); break;
        case 'e':
            v.enumType = checkedType(_context.utf8(_in.u2()), false);
            v.text = _context.utf8(_in.u2());
            break;
        case 'c': v.text = checkedType(_context.utf8(_in.u2()), true); break;
        case '@': v.annotation.push_back(annotation(depth + 1)); break;
        case '[': v.elements = array(depth + 1); break;
        default:
            throw ClassFormatError{"annotation element has unknown tag " +
                                   std::to_string(static_cast<unsigned char>(v.tag))};
        }
        return v;
    }

private:
    std::vector<ElementValue> array(int depth) {
        uint16_t count = _in.u2();
        std::vector<ElementValue> values;
        for (uint16_t i = 0; i < count; ++i) values.push_back(elementValue(depth));
        return values;
    }

    const Constant& constant(ConstantTag tag) { return _context.pool().at(_in.u2(), tag); }

    void checkDepth(int depth) const {
        if (depth > MaxDepth) throw ClassFormatError{"annotation nested too deeply"};
    }

    ByteCursor& _in;
    ReadContext& _context;
};

}  // namespace

Annotations readAnnotations(ByteCursor& in, ReadContext& context) {
    uint16_t count = in.u2();
    Annotations annotations;
    AnnotationValues reader(in, context);
    for (uint16_t i = 0; i < count; ++i) {
        context.charge(ValueCost);
        annotations.push_back(reader.annotation(0));
    }
    return annotations;
}

std::vector<Annotations> readParameterAnnotations(ByteCursor& in, ReadContext& context) {
    uint8_t count = in.u1();
    std::vector<Annotations> parameters;
    for (uint8_t i = 0; i < count; ++i) parameters.push_back(readAnnotations(in, context));
    return parameters;
}

ElementValue readElementValue(ByteCursor& in, ReadContext& context) { return AnnotationValues(in, context).elementValue(0); }

}  // namespace jad
