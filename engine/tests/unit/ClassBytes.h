// Builds class files byte by byte, for tests of malformed input.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace jad::test {

class ClassBytes {
public:
    ClassBytes& u1(uint32_t value) { _bytes.push_back(static_cast<uint8_t>(value)); return *this; }
    ClassBytes& u2(uint32_t value) { return u1(value >> 8).u1(value); }
    ClassBytes& u4(uint32_t value) { return u2(value >> 16).u2(value); }
    ClassBytes& utf8(const std::string& text) {
        u1(1).u2(static_cast<uint32_t>(text.size()));
        _bytes.insert(_bytes.end(), text.begin(), text.end());
        return *this;
    }
    ClassBytes& raw(const std::vector<uint8_t>& bytes) {
        _bytes.insert(_bytes.end(), bytes.begin(), bytes.end());
        return *this;
    }
    // Magic and version 52.0.
    ClassBytes& header(uint32_t major = 52) { return u4(0xCAFEBABE).u2(0).u2(major); }
    // A pool of count 7: #1 "A", #2 Class A, #3 "java/lang/Object", #4 Class
    // java/lang/Object, #5 "Code", #6 "m"; the caller adds entries first when
    // it passes a larger count.
    ClassBytes& standardPool(uint32_t count = 7) {
        return u2(count).utf8("A").u1(7).u2(1).utf8("java/lang/Object").u1(7).u2(3).utf8("Code").utf8("m");
    }
    // Access, this, super, no interfaces.
    ClassBytes& classInfo() { return u2(0x21).u2(2).u2(4).u2(0); }
    ClassBytes& noMembers() { return u2(0).u2(0).u2(0); }

    const std::vector<uint8_t>& bytes() const { return _bytes; }

private:
    std::vector<uint8_t> _bytes;
};

}  // namespace jad::test
