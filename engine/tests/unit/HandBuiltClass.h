// A class file made in memory, for bodies written as raw bytecode: code
// that javac never writes but other compilers and tools may.
#pragma once

#include "classfile/ClassFile.h"

namespace jad::test {

// #2 Class A; #6 Fieldref A.x:I; #10 Methodref A.m:()I.
inline ClassFile handBuiltOwner() {
    std::vector<Constant> entries(11);
    auto utf8 = [&](size_t i, const char* text) {
        entries[i].tag = ConstantTag::Utf8;
        entries[i].utf8 = text;
    };
    auto pair = [&](size_t i, ConstantTag tag, uint16_t a, uint16_t b) {
        entries[i].tag = tag;
        entries[i].a = a;
        entries[i].b = b;
    };
    utf8(1, "A");
    pair(2, ConstantTag::Class, 1, 0);
    utf8(3, "x");
    utf8(4, "I");
    pair(5, ConstantTag::NameAndType, 3, 4);
    pair(6, ConstantTag::Fieldref, 2, 5);
    utf8(7, "m");
    utf8(8, "()I");
    pair(9, ConstantTag::NameAndType, 7, 8);
    pair(10, ConstantTag::Methodref, 2, 9);
    ClassFile file;
    file.thisClass = "A";
    file.superClass = "java/lang/Object";
    file.pool = ConstantPool(entries);
    return file;
}

}  // namespace jad::test
