// Expressions print with Java's precedence, no redundant parentheses, and
// only forms the dialect knows.
#include <gtest/gtest.h>

#include "body/ir/Failure.h"
#include "body/printer/Printer.h"

namespace jad::body {
namespace {

class Names : public TypeNamer {
public:
    std::string className(const std::string& n) const override { return n.substr(n.rfind('/') + 1); }
};

class ExprPrinting : public ::testing::Test {
protected:
    ExprPrinting() : context{file, names, options, {}} { file.thisClass = "T"; }

    VarPtr var(const std::string& name, char base = 'I') {
        auto v = std::make_shared<Var>();
        v->name = name;
        v->type = primitive(base);
        return v;
    }
    std::string print(const ExprPtr& e) { return ExprPrinter(context).print(*e); }

    ClassFile file;
    Names names;
    PrintOptions options;
    PrintContext context;
};

TEST_F(ExprPrinting, ParenthesesOnlyWherePrecedenceOrAssociativityNeedThem) {
    auto a = makeLocal(var("a")), b = makeLocal(var("b")), c = makeLocal(var("c"));
    const JavaType i = primitive('I');
    EXPECT_EQ(print(makeBinary("-", a, makeBinary("-", b, c, i), i)), "a - (b - c)");
    EXPECT_EQ(print(makeBinary("-", makeBinary("-", a, b, i), c, i)), "a - b - c");
    EXPECT_EQ(print(makeBinary("*", makeBinary("+", a, b, i), c, i)), "(a + b) * c");
    EXPECT_EQ(print(makeBinary("+", a, makeBinary("*", b, c, i), i)), "a + b * c");
    EXPECT_EQ(print(makeBinary("<<", a, makeBinary("+", b, c, i), i)), "a << b + c");
    EXPECT_EQ(print(makeUnary("-", makeIntLiteral(-5), i)), "-(-5)");
    EXPECT_EQ(print(makeCast(primitive('B'), makeBinary("+", a, b, i))), "(byte)(a + b)");
    EXPECT_EQ(print(makeCast(objectType("java/lang/Integer"), makeUnary("-", a, i))), "(Integer)(-a)");
    auto cond = makeExpr(ExprKind::Conditional, i);
    cond->args = {makeBinary("<", a, b, booleanType()), a, makeBinary("+", b, c, i)};
    EXPECT_EQ(print(makeBinary("*", cond, c, i)), "(a < b ? a : b + c) * c");
}

TEST_F(ExprPrinting, ConcatenationStartsWithAString) {
    auto concat = makeExpr(ExprKind::Concat, objectType("java/lang/String"));
    auto a = makeLocal(var("a")), b = makeLocal(var("b"));
    concat->args = {a, b};
    EXPECT_EQ(print(concat), "\"\" + a + b");
    concat->args = {makeBinary("+", a, b, primitive('I')), makeLocal(var("s", 'L'))};
    concat->args[1]->type = objectType("java/lang/String");
    EXPECT_EQ(print(concat), "a + b + s");
}

TEST_F(ExprPrinting, LiteralsFollowTheirType) {
    auto c = makeIntLiteral(97);
    c->type = primitive('C');
    EXPECT_EQ(print(c), "'a'");
    auto z = makeIntLiteral(1);
    z->type = booleanType();
    EXPECT_EQ(print(z), "true");
    auto arrayClass = makeExpr(ExprKind::ClassLiteral, objectType("java/lang/Class"));
    arrayClass->owner = "[[I";
    EXPECT_EQ(print(arrayClass), "(new int[0][]).getClass()");
}

TEST_F(ExprPrinting, NegatedFloatingComparisonsKeepNaNBehaviour) {
    auto x = makeLocal(var("x", 'D')), y = makeLocal(var("y", 'D'));
    EXPECT_EQ(print(negate(makeBinary("<", x, y, booleanType()))), "!(x < y)");
    EXPECT_EQ(print(negate(makeBinary("==", x, y, booleanType()))), "x != y");
    auto i = makeLocal(var("i")), j = makeLocal(var("j"));
    EXPECT_EQ(print(negate(makeBinary("<", i, j, booleanType()))), "i >= j");
    EXPECT_EQ(print(negate(makeBinary("&&", makeBinary("<", i, j, booleanType()), makeBinary("==", i, j, booleanType()),
                                      booleanType()))), "i >= j || i != j");
}

// A fallback body names the first failure met, reading left to right.
TEST_F(ExprPrinting, WhenSeveralOperandsFailTheLeftmostIsReported) {
    const JavaType i = primitive('I');
    auto caught = [&] { return makeExpr(ExprKind::Caught, i); };
    auto uninitialized = [&] { return makeExpr(ExprKind::Uninitialized, i); };
    auto reason = [&](const ExprPtr& e) {
        try {
            print(e);
        } catch (const Unsupported& u) {
            return u.reason;
        }
        return std::string("printed");
    };
    EXPECT_EQ(reason(makeBinary("+", caught(), uninitialized(), i)), "caught exception outside its handler");
    EXPECT_EQ(reason(makeBinary("+", uninitialized(), caught(), i)), "object used before its constructor ran");
    auto cond = makeExpr(ExprKind::Conditional, i);
    cond->args = {makeLocal(var("a")), uninitialized(), caught()};
    EXPECT_EQ(reason(cond), "object used before its constructor ran");
}

}  // namespace
}  // namespace jad::body
