// The JVM instruction set: mnemonic and operand layout of every opcode.
#pragma once

#include <cstdint>

namespace jad::body {

enum class OperandLayout : uint8_t {
    Invalid,         // not an opcode
    None,
    LocalU1,         // local slot (u2 after `wide`)
    ByteS1,          // bipush
    ShortS2,         // sipush
    ArrayTypeU1,     // newarray
    PoolU1,          // ldc
    PoolU2,          // ldc_w, field and method refs, class refs
    Iinc,            // slot, increment (u2, s2 after `wide`)
    BranchS2,
    BranchS4,
    TableSwitch,
    LookupSwitch,
    InvokeInterface, // pool u2, count u1, zero u1
    InvokeDynamic,   // pool u2, zero u2
    MultiANewArray,  // pool u2, dimensions u1
    Wide,
};

struct OpcodeInfo {
    const char* name;
    OperandLayout layout;
};

const OpcodeInfo& opcodeInfo(uint8_t opcode);

namespace op {
constexpr uint8_t nop = 0, aconst_null = 1, iconst_m1 = 2, iconst_0 = 3, iconst_5 = 8,
    lconst_0 = 9, lconst_1 = 10, fconst_0 = 11, fconst_2 = 13, dconst_0 = 14, dconst_1 = 15,
    bipush = 16, sipush = 17, ldc = 18, ldc_w = 19, ldc2_w = 20,
    iload = 21, lload = 22, fload = 23, dload = 24, aload = 25,
    iload_0 = 26, aload_3 = 45, iaload = 46, laload = 47, faload = 48, daload = 49,
    aaload = 50, baload = 51, caload = 52, saload = 53,
    istore = 54, lstore = 55, fstore = 56, dstore = 57, astore = 58,
    istore_0 = 59, astore_3 = 78, iastore = 79, lastore = 80, fastore = 81, dastore = 82,
    aastore = 83, bastore = 84, castore = 85, sastore = 86,
    pop = 87, pop2 = 88, dup = 89, dup_x1 = 90, dup_x2 = 91, dup2 = 92, dup2_x1 = 93,
    dup2_x2 = 94, swap = 95,
    iadd = 96, dneg = 119, ishl = 120, lxor = 131, iinc = 132,
    i2l = 133, i2s = 147, lcmp = 148, fcmpl = 149, fcmpg = 150, dcmpl = 151, dcmpg = 152,
    ifeq = 153, ifne = 154, iflt = 155, ifge = 156, ifgt = 157, ifle = 158,
    if_icmpeq = 159, if_icmple = 164, if_acmpeq = 165, if_acmpne = 166,
    goto_ = 167, jsr = 168, ret = 169, tableswitch = 170, lookupswitch = 171,
    ireturn = 172, lreturn = 173, freturn = 174, dreturn = 175, areturn = 176, return_ = 177,
    getstatic = 178, putstatic = 179, getfield = 180, putfield = 181,
    invokevirtual = 182, invokespecial = 183, invokestatic = 184, invokeinterface = 185,
    invokedynamic = 186, new_ = 187, newarray = 188, anewarray = 189, arraylength = 190,
    athrow = 191, checkcast = 192, instanceof = 193, monitorenter = 194, monitorexit = 195,
    wide = 196, multianewarray = 197, ifnull = 198, ifnonnull = 199, goto_w = 200, jsr_w = 201;
}  // namespace op

}  // namespace jad::body
