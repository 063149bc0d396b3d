#include "body/decode/Opcodes.h"

namespace jad::body {

namespace {

using L = OperandLayout;

// Indexed by opcode; entries past jsr_w are reserved or unused.
constexpr OpcodeInfo kOpcodes[] = {
    {"nop", L::None}, {"aconst_null", L::None}, {"iconst_m1", L::None}, {"iconst_0", L::None},
    {"iconst_1", L::None}, {"iconst_2", L::None}, {"iconst_3", L::None}, {"iconst_4", L::None},
    {"iconst_5", L::None}, {"lconst_0", L::None}, {"lconst_1", L::None}, {"fconst_0", L::None},
    {"fconst_1", L::None}, {"fconst_2", L::None}, {"dconst_0", L::None}, {"dconst_1", L::None},
    {"bipush", L::ByteS1}, {"sipush", L::ShortS2}, {"ldc", L::PoolU1}, {"ldc_w", L::PoolU2},
    {"ldc2_w", L::PoolU2}, {"iload", L::LocalU1}, {"lload", L::LocalU1}, {"fload", L::LocalU1},
    {"dload", L::LocalU1}, {"aload", L::LocalU1}, {"iload_0", L::None}, {"iload_1", L::None},
    {"iload_2", L::None}, {"iload_3", L::None}, {"lload_0", L::None}, {"lload_1", L::None},
    {"lload_2", L::None}, {"lload_3", L::None}, {"fload_0", L::None}, {"fload_1", L::None},
    {"fload_2", L::None}, {"fload_3", L::None}, {"dload_0", L::None}, {"dload_1", L::None},
    {"dload_2", L::None}, {"dload_3", L::None}, {"aload_0", L::None}, {"aload_1", L::None},
    {"aload_2", L::None}, {"aload_3", L::None}, {"iaload", L::None}, {"laload", L::None},
    {"faload", L::None}, {"daload", L::None}, {"aaload", L::None}, {"baload", L::None},
    {"caload", L::None}, {"saload", L::None}, {"istore", L::LocalU1}, {"lstore", L::LocalU1},
    {"fstore", L::LocalU1}, {"dstore", L::LocalU1}, {"astore", L::LocalU1}, {"istore_0", L::None},
    {"istore_1", L::None}, {"istore_2", L::None}, {"istore_3", L::None}, {"lstore_0", L::None},
    {"lstore_1", L::None}, {"lstore_2", L::None}, {"lstore_3", L::None}, {"fstore_0", L::None},
    {"fstore_1", L::None}, {"fstore_2", L::None}, {"fstore_3", L::None}, {"dstore_0", L::None},
    {"dstore_1", L::None}, {"dstore_2", L::None}, {"dstore_3", L::None}, {"astore_0", L::None},
    {"astore_1", L::None}, {"astore_2", L::None}, {"astore_3", L::None}, {"iastore", L::None},
    {"lastore", L::None}, {"fastore", L::None}, {"dastore", L::None}, {"aastore", L::None},
    {"bastore", L::None}, {"castore", L::None}, {"sastore", L::None}, {"pop", L::None},
    {"pop2", L::None}, {"dup", L::None}, {"dup_x1", L::None}, {"dup_x2", L::None},
    {"dup2", L::None}, {"dup2_x1", L::None}, {"dup2_x2", L::None}, {"swap", L::None},
    {"iadd", L::None}, {"ladd", L::None}, {"fadd", L::None}, {"dadd", L::None},
    {"isub", L::None}, {"lsub", L::None}, {"fsub", L::None}, {"dsub", L::None},
    {"imul", L::None}, {"lmul", L::None}, {"fmul", L::None}, {"dmul", L::None},
    {"idiv", L::None}, {"ldiv", L::None}, {"fdiv", L::None}, {"ddiv", L::None},
    {"irem", L::None}, {"lrem", L::None}, {"frem", L::None}, {"drem", L::None},
    {"ineg", L::None}, {"lneg", L::None}, {"fneg", L::None}, {"dneg", L::None},
    {"ishl", L::None}, {"lshl", L::None}, {"ishr", L::None}, {"lshr", L::None},
    {"iushr", L::None}, {"lushr", L::None}, {"iand", L::None}, {"land", L::None},
    {"ior", L::None}, {"lor", L::None}, {"ixor", L::None}, {"lxor", L::None},
    {"iinc", L::Iinc}, {"i2l", L::None}, {"i2f", L::None}, {"i2d", L::None},
    {"l2i", L::None}, {"l2f", L::None}, {"l2d", L::None}, {"f2i", L::None},
    {"f2l", L::None}, {"f2d", L::None}, {"d2i", L::None}, {"d2l", L::None},
    {"d2f", L::None}, {"i2b", L::None}, {"i2c", L::None}, {"i2s", L::None},
    {"lcmp", L::None}, {"fcmpl", L::None}, {"fcmpg", L::None}, {"dcmpl", L::None},
    {"dcmpg", L::None}, {"ifeq", L::BranchS2}, {"ifne", L::BranchS2}, {"iflt", L::BranchS2},
    {"ifge", L::BranchS2}, {"ifgt", L::BranchS2}, {"ifle", L::BranchS2}, {"if_icmpeq", L::BranchS2},
    {"if_icmpne", L::BranchS2}, {"if_icmplt", L::BranchS2}, {"if_icmpge", L::BranchS2},
    {"if_icmpgt", L::BranchS2}, {"if_icmple", L::BranchS2}, {"if_acmpeq", L::BranchS2},
    {"if_acmpne", L::BranchS2}, {"goto", L::BranchS2}, {"jsr", L::BranchS2}, {"ret", L::LocalU1},
    {"tableswitch", L::TableSwitch}, {"lookupswitch", L::LookupSwitch}, {"ireturn", L::None},
    {"lreturn", L::None}, {"freturn", L::None}, {"dreturn", L::None}, {"areturn", L::None},
    {"return", L::None}, {"getstatic", L::PoolU2}, {"putstatic", L::PoolU2},
    {"getfield", L::PoolU2}, {"putfield", L::PoolU2}, {"invokevirtual", L::PoolU2},
    {"invokespecial", L::PoolU2}, {"invokestatic", L::PoolU2},
    {"invokeinterface", L::InvokeInterface}, {"invokedynamic", L::InvokeDynamic},
    {"new", L::PoolU2}, {"newarray", L::ArrayTypeU1}, {"anewarray", L::PoolU2},
    {"arraylength", L::None}, {"athrow", L::None}, {"checkcast", L::PoolU2},
    {"instanceof", L::PoolU2}, {"monitorenter", L::None}, {"monitorexit", L::None},
    {"wide", L::Wide}, {"multianewarray", L::MultiANewArray}, {"ifnull", L::BranchS2},
    {"ifnonnull", L::BranchS2}, {"goto_w", L::BranchS4}, {"jsr_w", L::BranchS4},
};

static_assert(sizeof(kOpcodes) / sizeof(kOpcodes[0]) == 202, "one entry per opcode up to jsr_w");

constexpr OpcodeInfo kInvalid = {"<invalid>", L::Invalid};

}  // namespace

const OpcodeInfo& opcodeInfo(uint8_t opcode) {
    return opcode < 202 ? kOpcodes[opcode] : kInvalid;
}

}  // namespace jad::body
