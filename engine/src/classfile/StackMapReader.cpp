#include "classfile/StackMapReader.h"

#include <utility>

#include "classfile/AccessFlags.h"
#include "classfile/Descriptor.h"

namespace jad {

namespace {

// Rough bytes one expanded entry costs, charged against the text budget so
// that many frames over many locals stay bounded.
constexpr size_t EntryCost = sizeof(VerificationType);

class FrameReader {
public:
    FrameReader(ByteCursor& in, ReadContext& context, const FrameLimits& limits)
        : _in(in), _context(context), _limits(limits) {}

    VerificationType type() {
        uint8_t tag = _in.u1();
        if (tag > 8) throw ClassFormatError{"stack map has unknown verification type " + std::to_string(tag)};
        VerificationType result;
        result.tag = static_cast<VerificationTag>(tag);
        if (result.tag == VerificationTag::Object) {
            result.className = _context.className(_in.u2());
        } else if (result.tag == VerificationTag::Uninitialized) {
            result.offset = _in.u2();
            if (result.offset >= _limits.codeLength) {
                throw ClassFormatError{"stack map names offset " + std::to_string(result.offset) +
                                       " outside the code"};
            }
        }
        return result;
    }

    void types(std::vector<VerificationType>& into, size_t count) {
        for (size_t i = 0; i < count; ++i) into.push_back(type());
    }

    // Reads one frame, changing `frame` from the previous one in place.
    void frame(StackMapFrame& frame) {
        uint8_t kind = _in.u1();
        uint32_t delta = 0;
        frame.stack.clear();
        if (kind < 64) {
            delta = kind;
        } else if (kind < 128) {
            delta = kind - 64u;
            types(frame.stack, 1);
        } else if (kind < 247) {
            throw ClassFormatError{"stack map has reserved frame type " + std::to_string(kind)};
        } else if (kind == 247) {
            delta = _in.u2();
            types(frame.stack, 1);
        } else if (kind < 251) {
            delta = _in.u2();
            size_t chop = 251u - kind;
            if (chop > frame.locals.size()) throw ClassFormatError{"stack map chops more locals than there are"};
            frame.locals.resize(frame.locals.size() - chop);
        } else if (kind == 251) {
            delta = _in.u2();
        } else if (kind < 255) {
            delta = _in.u2();
            types(frame.locals, kind - 251u);
        } else {
            delta = _in.u2();
            frame.locals.clear();
            types(frame.locals, _in.u2());
            types(frame.stack, _in.u2());
        }
        _delta = delta;
    }

    uint32_t delta() const { return _delta; }

    void checkSizes(const StackMapFrame& frame) const {
        if (slots(frame.locals) > _limits.maxLocals) throw ClassFormatError{"stack map frame exceeds max_locals"};
        if (slots(frame.stack) > _limits.maxStack) throw ClassFormatError{"stack map frame exceeds max_stack"};
    }

private:
    static size_t slots(const std::vector<VerificationType>& types) {
        size_t total = 0;
        for (const auto& type : types) {
            total += type.tag == VerificationTag::Long || type.tag == VerificationTag::Double ? 2 : 1;
        }
        return total;
    }

    ByteCursor& _in;
    ReadContext& _context;
    const FrameLimits& _limits;
    uint32_t _delta = 0;
};

VerificationType objectType(const std::string& name) {
    VerificationType type;
    type.tag = VerificationTag::Object;
    type.className = name;
    return type;
}

VerificationType parameterType(const JavaType& type) {
    VerificationType result;
    if (type.isReference()) return objectType(type.dimensions > 0 ? type.descriptor() : type.className);
    switch (type.base) {
    case 'J': result.tag = VerificationTag::Long; break;
    case 'F': result.tag = VerificationTag::Float; break;
    case 'D': result.tag = VerificationTag::Double; break;
    default: result.tag = VerificationTag::Integer; break;
    }
    return result;
}

}  // namespace

std::vector<VerificationType> initialLocals(const std::string& thisClass, const Method& method) {
    const std::shared_ptr<const MethodType> type = methodTypeOf(method.descriptor);
    std::vector<VerificationType> locals;
    locals.reserve(1 + (type ? type->parameters.size() : 0));
    if (!(method.access & access::Static)) {
        if (method.name == "<init>" && thisClass != "java/lang/Object") {
            VerificationType self;
            self.tag = VerificationTag::UninitializedThis;
            locals.push_back(self);
        } else {
            locals.push_back(objectType(thisClass));
        }
    }
    if (type) {
        for (const auto& parameter : type->parameters) locals.push_back(parameterType(parameter));
    }
    return locals;
}

std::vector<StackMapFrame> readStackMap(ByteCursor& in, ReadContext& context,
                                        std::vector<VerificationType> initial, const FrameLimits& limits) {
    uint16_t count = in.u2();
    std::vector<StackMapFrame> frames;
    frames.reserve(in.countThatFits(count, 1));
    StackMapFrame current;
    current.locals = std::move(initial);
    FrameReader reader(in, context, limits);
    for (uint16_t i = 0; i < count; ++i) {
        reader.frame(current);
        uint64_t offset = i == 0 ? reader.delta() : uint64_t{current.offset} + reader.delta() + 1;
        if (offset >= limits.codeLength) {
            throw ClassFormatError{"stack map frame at offset " + std::to_string(offset) + " outside the code"};
        }
        current.offset = static_cast<uint32_t>(offset);
        reader.checkSizes(current);
        context.charge((current.locals.size() + current.stack.size() + 1) * EntryCost);
        frames.push_back(current);
    }
    return frames;
}

}  // namespace jad
