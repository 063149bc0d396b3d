// Accessor bodies read by the stack stage: the forms javac writes become
// the access they stand for, anything else is refused.
#include <gtest/gtest.h>

#include "BodyTestSupport.h"
#include "HandBuiltClass.h"
#include "body/printer/Printer.h"
#include "body/synthetic/Accessors.h"
#include "classfile/AccessFlags.h"

namespace jad::body {
namespace {

Method accessor(const char* descriptor, std::vector<uint8_t> bytes) {
    Method m;
    m.access = access::Static | access::Synthetic;
    m.name = "access$000";
    m.descriptor = descriptor;
    Code code;
    code.maxStack = 4;
    code.maxLocals = 2;
    code.bytes = std::move(bytes);
    m.code = std::move(code);
    return m;
}

std::string templateText(const ClassFile& owner, const Method& m) {
    const ExprPtr e = accessorTemplate(owner, m);
    if (!e) return "(none)";
    // Parameters are named where the call is; here by their index.
    forEachExpr(e, [](const ExprPtr& x) {
        if (x->kind == ExprKind::Local) x->var->name = "p" + std::to_string(x->var->slot);
    });
    const test::SimpleNames names;
    const PrintOptions options;
    const PrintContext context{owner, names, options, {}};
    return ExprPrinter(context).print(*e);
}

TEST(Accessors, JavacsFormsBecomeTheAccess) {
    const ClassFile owner = test::handBuiltOwner();
    // aload_0 getfield x ireturn
    EXPECT_EQ(templateText(owner, accessor("(LA;)I", {0x2a, 0xb4, 0, 6, 0xac})), "p0.x");
    // aload_0 dup getfield x dup_x1 iconst_1 iadd putfield x ireturn: the value read first is returned
    EXPECT_EQ(templateText(owner, accessor("(LA;)I", {0x2a, 0x59, 0xb4, 0, 6, 0x5a, 0x04, 0x60, 0xb5, 0, 6, 0xac})),
              "p0.x++");
    // aload_0 dup getfield x iconst_1 iadd dup_x1 putfield x ireturn: the value stored is returned
    EXPECT_EQ(templateText(owner, accessor("(LA;)I", {0x2a, 0x59, 0xb4, 0, 6, 0x04, 0x60, 0x5a, 0xb5, 0, 6, 0xac})),
              "++p0.x");
    // aload_0 iload_1 dup_x1 putfield x ireturn
    EXPECT_EQ(templateText(owner, accessor("(LA;I)I", {0x2a, 0x1b, 0x5a, 0xb5, 0, 6, 0xac})), "p0.x = p1");
}

TEST(Accessors, OtherCodeIsRefused) {
    const ClassFile owner = test::handBuiltOwner();
    // aload_0 invokevirtual m pop iconst_0 ireturn: a call whose value is
    // dropped is still made, so 0 alone is not what it does.
    EXPECT_EQ(templateText(owner, accessor("(LA;)I", {0x2a, 0xb6, 0, 10, 0x57, 0x03, 0xac})), "(none)");
    // iload_0 ifeq +4 iconst_1 ireturn iconst_0 ireturn: not straight-line
    EXPECT_EQ(templateText(owner, accessor("(I)I", {0x1a, 0x99, 0, 5, 0x04, 0xac, 0x03, 0xac})), "(none)");
    // aload_0 getfield x aload_0 getfield x iadd ireturn: the parameter is read twice
    EXPECT_EQ(templateText(owner, accessor("(LA;)I", {0x2a, 0xb4, 0, 6, 0x2a, 0xb4, 0, 6, 0x60, 0xac})), "(none)");
}

}  // namespace
}  // namespace jad::body
