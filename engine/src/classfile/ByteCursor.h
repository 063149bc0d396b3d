// A bounded reader over a byte range: every read checks that the bytes are
// there, so nothing past the range is ever touched.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "classfile/ConstantPool.h"

namespace jad {

class ByteCursor {
public:
    // `base` is the range's offset in the file, for messages; `name` and
    // `kind` name the range ("Code" "attribute"), empty for the whole file.
    // `name` must outlive the cursor (it is the constant pool's text); the
    // message is built only when a read fails.
    ByteCursor(const uint8_t* data, size_t size, size_t base = 0, std::string_view name = {},
               const char* kind = "")
        : _data(data), _size(size), _base(base), _name(name), _kind(kind) {}

    uint8_t u1() { require(1); return _data[_pos++]; }
    uint16_t u2() {
        require(2);
        uint16_t value = static_cast<uint16_t>((_data[_pos] << 8) | _data[_pos + 1]);
        _pos += 2;
        return value;
    }
    uint32_t u4() {
        require(4);
        uint32_t value = (uint32_t{_data[_pos]} << 24) | (uint32_t{_data[_pos + 1]} << 16) |
                         (uint32_t{_data[_pos + 2]} << 8) | uint32_t{_data[_pos + 3]};
        _pos += 4;
        return value;
    }
    // The next `count` bytes, which must be present.
    const uint8_t* take(size_t count) {
        require(count);
        const uint8_t* start = _data + _pos;
        _pos += count;
        return start;
    }
    // A cursor over the next `count` bytes; this one moves past them.
    ByteCursor sub(size_t count, std::string_view name, const char* kind) {
        size_t start = _pos;
        take(count);
        return ByteCursor(_data + start, count, _base + start, name, kind);
    }

    size_t remaining() const { return _size - _pos; }
    // How many of `count` entries of at least `minBytes` each the rest can
    // hold: what to reserve for a count read from the file.
    size_t countThatFits(size_t count, size_t minBytes) const { return std::min(count, remaining() / minBytes); }
    bool atEnd() const { return _pos == _size; }
    size_t offset() const { return _base + _pos; }  // in the file
    std::string context() const { return *_kind == 0 ? std::string() : std::string(_name) + " " + _kind; }

private:
    void require(size_t count) const {
        if (count > _size - _pos) throwOverrun();
    }
    // Out of line, so that the reads themselves stay small.
    [[noreturn]] void throwOverrun() const;

    const uint8_t* _data;
    size_t _size;
    size_t _pos = 0;
    size_t _base;
    std::string_view _name;
    const char* _kind;
};

}  // namespace jad
