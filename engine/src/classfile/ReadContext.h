// What the attribute readers share: the pool, a budget for the text they
// copy into the model, so that many references to one long constant cannot
// make a small file take unbounded memory, and what the attribute names in
// the pool stand for.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "classfile/ConstantPool.h"

namespace jad {

// The attributes some reader acts on; Other for the rest, which are skipped.
enum class AttributeKind : uint8_t {
    Unread,  // the name not looked at yet
    Other,
    AnnotationDefault, BootstrapMethods, Code, ConstantValue, Deprecated, EnclosingMethod, Exceptions,
    InnerClasses, LineNumberTable, LocalVariableTable, LocalVariableTypeTable, MethodParameters, NestHost,
    NestMembers, PermittedSubclasses, Record, RuntimeInvisibleAnnotations,
    RuntimeInvisibleParameterAnnotations, RuntimeVisibleAnnotations, RuntimeVisibleParameterAnnotations,
    Signature, SourceFile, StackMapTable, Synthetic, Module,
};

class ReadContext {
public:
    ReadContext(const ConstantPool& pool, size_t textBudget) : _pool(pool), _budget(textBudget) {}

    const ConstantPool& pool() const { return _pool; }

    bool skipCode = false;  // methods' Code attributes are left unread

    // The pool's text, charged as the copy the caller is about to make.
    const std::string& utf8(uint16_t index) { return charged(_pool.utf8(index)); }
    const std::string& className(uint16_t index) { return charged(_pool.className(index)); }
    // Index 0 means absent and gives empty text.
    std::string optionalUtf8(uint16_t index) { return index == 0 ? std::string() : utf8(index); }
    std::string optionalClassName(uint16_t index) { return index == 0 ? std::string() : className(index); }

    // The remembered kind of the attribute named by the Utf8 entry `index`
    // (already checked); Unread until it is first set. A class names the
    // same few attributes over and over, so each name is compared once.
    AttributeKind& attributeKind(uint16_t index) {
        if (_attributeKinds.empty()) _attributeKinds.assign(_pool.count(), AttributeKind::Unread);
        return _attributeKinds[index];
    }

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
    std::vector<AttributeKind> _attributeKinds;  // by pool index
};

}  // namespace jad
