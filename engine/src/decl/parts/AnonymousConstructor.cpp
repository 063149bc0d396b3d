#include "decl/parts/AnonymousConstructor.h"

#include "classfile/Descriptor.h"

namespace jad {

namespace {

constexpr uint8_t kAconstNull = 0x01, kIload = 0x15, kAload = 0x19, kIload0 = 0x1a, kAload3 = 0x2d, kReturn = 0xb1, kPutfield = 0xb5,
                  kInvokespecial = 0xb7;

class PlumbingReader {
public:
    PlumbingReader(const ClassFile& owner, const Code& code, const std::vector<JavaType>& parameters)
        : _owner(owner), _bytes(code.bytes) {
        int slot = 1;
        for (size_t i = 0; i < parameters.size(); ++i) {
            _slotToParameter.resize(static_cast<size_t>(slot) + 1, -1);
            _slotToParameter[static_cast<size_t>(slot)] = static_cast<int>(i);
            slot += parameters[i].isWide() ? 2 : 1;
        }
        _result.storedIn.resize(parameters.size());
    }

    std::optional<AnonymousConstructor> read() {
        while (_pos < _bytes.size()) {
            if (_bytes[_pos++] != kIload0 + 0x10) return std::nullopt;  // aload_0 opens each step
            std::vector<size_t> loaded;
            int parameter;
            while ((parameter = loadedParameter()) >= 0) loaded.push_back(static_cast<size_t>(parameter));
            // javac reaches a private super constructor through one taking
            // an extra null; the source called the private one.
            const bool accessTag = _pos + 1 < _bytes.size() && _bytes[_pos] == kAconstNull &&
                                   _bytes[_pos + 1] == kInvokespecial;
            if (accessTag) ++_pos;
            if (_pos + 3 > _bytes.size()) return std::nullopt;
            const uint8_t op = _bytes[_pos];
            const uint16_t index = static_cast<uint16_t>(_bytes[_pos + 1] << 8 | _bytes[_pos + 2]);
            _pos += 3;
            if (op == kPutfield && loaded.size() == 1 && !accessTag) {
                MemberRef field = _owner.pool.memberRef(index);
                if (field.owner != _owner.thisClass || !_result.storedIn[loaded[0]].empty()) return std::nullopt;
                _result.storedIn[loaded[0]] = field.name;
                continue;
            }
            if (op != kInvokespecial) return std::nullopt;
            MemberRef call = _owner.pool.memberRef(index);
            if (call.name != "<init>" || call.owner != _owner.superClass) return std::nullopt;
            _result.superArguments = loaded;
            _result.initializer = !(_pos + 1 == _bytes.size() && _bytes[_pos] == kReturn);
            return _result;
        }
        return std::nullopt;
    }

    std::vector<std::string> stores() {
        while (_pos + 1 < _bytes.size() && _bytes[_pos] == kIload0 + 0x10) {
            const size_t step = _pos++;
            const int parameter = loadedParameter();
            if (parameter < 0 || _pos + 3 > _bytes.size() || _bytes[_pos] != kPutfield) {
                _pos = step;
                break;
            }
            MemberRef field = _owner.pool.memberRef(static_cast<uint16_t>(_bytes[_pos + 1] << 8 | _bytes[_pos + 2]));
            _pos += 3;
            if (field.owner != _owner.thisClass || !_result.storedIn[static_cast<size_t>(parameter)].empty()) break;
            _result.storedIn[static_cast<size_t>(parameter)] = field.name;
        }
        return _result.storedIn;
    }

private:
    // The parameter the instruction at the cursor loads (and steps over it), or -1.
    int loadedParameter() {
        if (_pos >= _bytes.size()) return -1;
        const uint8_t op = _bytes[_pos];
        size_t slot;
        size_t length = 1;
        if (op >= kIload && op <= kAload) {
            if (_pos + 1 >= _bytes.size()) return -1;
            slot = _bytes[_pos + 1];
            length = 2;
        } else if (op >= kIload0 && op <= kAload3) {
            slot = static_cast<size_t>(op - kIload0) % 4;
        } else {
            return -1;
        }
        if (slot >= _slotToParameter.size() || _slotToParameter[slot] < 0) return -1;
        _pos += length;
        return _slotToParameter[slot];
    }

    const ClassFile& _owner;
    const std::vector<uint8_t>& _bytes;
    std::vector<int> _slotToParameter;
    AnonymousConstructor _result;
    size_t _pos = 0;
};

}  // namespace

std::vector<std::string> readPrologueStores(const ClassFile& owner, const Method& constructor) {
    auto type = methodTypeOf(constructor.descriptor);
    if (!type || !constructor.code) return {};
    try {
        return PlumbingReader(owner, *constructor.code, type->parameters).stores();
    } catch (const ClassFormatError&) {
        return {};
    }
}

std::optional<AnonymousConstructor> readAnonymousConstructor(const ClassFile& owner, const Method& constructor) {
    auto type = methodTypeOf(constructor.descriptor);
    if (!type || !constructor.code) return std::nullopt;
    try {
        return PlumbingReader(owner, *constructor.code, type->parameters).read();
    } catch (const ClassFormatError&) {
        return std::nullopt;
    }
}

}  // namespace jad
