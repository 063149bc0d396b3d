// What the attribute readers share: the pool, and a budget for the text they
// copy into the model, so that many references to one long constant cannot
// make a small file take unbounded memory.
#pragma once

#include <cstddef>
#include <string>

#include "classfile/ConstantPool.h"

namespace jad {

class ReadContext {
public:
    ReadContext(const ConstantPool& pool, size_t textBudget) : _pool(pool), _budget(textBudget) {}

    const ConstantPool& pool() const { return _pool; }

    std::string utf8(uint16_t index) { return charged(_pool.utf8(index)); }
    std::string className(uint16_t index) { return charged(_pool.className(index)); }
    // Index 0 means absent and gives empty text.
    std::string optionalUtf8(uint16_t index) { return index == 0 ? std::string() : utf8(index); }
    std::string optionalClassName(uint16_t index) { return index == 0 ? std::string() : className(index); }

    void charge(size_t bytes) {
        if (bytes > _budget) {
            throw ClassFormatError{"class file refers to its constants too often to be held in memory"};
        }
        _budget -= bytes;
    }

private:
    const std::string& charged(const std::string& text) {
        charge(text.size());
        return text;
    }

    const ConstantPool& _pool;
    size_t _budget;
};

}  // namespace jad
