// What a decompiled body says of its top-level statements, read from javac's
// constructors and static initializers: the declarations decide from it
// what to leave out of records and enums.
#include <gtest/gtest.h>

#include "BodyTestSupport.h"

namespace jad::test {
namespace {

using Kind = TopStatement::Kind;

class TopStatementsTest : public BodyTest {
protected:
    // The body of `method` (of `descriptor`, when given) of the class T.
    DecompiledBody decompiled(const std::string& source, const std::string& method, const std::string& descriptor = "",
                              size_t hidden = 0) {
        auto compiled = compileJava(dir.path(), {{"T.java", source}}, "-g");
        EXPECT_EQ(compiled.status, 0) << compiled.err;
        const std::vector<uint8_t> bytes = readBytes(dir.path() / "classes" / "T.class");
        file = readClassFile(bytes.data(), bytes.size());
        for (const Method& m : file.methods) {
            if (m.name != method || (!descriptor.empty() && m.descriptor != descriptor)) continue;
            auto type = parseMethodDescriptor(m.descriptor);
            names.clear();
            for (size_t i = 0; type && i < type->parameters.size(); ++i) names.push_back("p" + std::to_string(i));
            BodyRequest request{file, m, types, options, names};
            request.hiddenParameters = hidden;
            return decompileMethod(request);
        }
        ADD_FAILURE() << "no method " << method << descriptor;
        return {};
    }

    // The statements after a leading `super()`, which javac always writes.
    static std::vector<TopStatement> afterSuper(const DecompiledBody& body) {
        std::vector<TopStatement> statements = body.statements;
        if (!statements.empty() && statements[0].kind == Kind::SuperCall && statements[0].arguments == 0) {
            statements.erase(statements.begin());
        }
        return statements;
    }

    ClassFile file;
    std::vector<std::string> names;
};

TEST_F(TopStatementsTest, RecordConstructorsStoreTheirParametersInTheFields) {
    const std::string source =
        "record T(int x, String y) {\n"
        "    T {\n"
        "        if (x < 0) throw new IllegalArgumentException();\n"
        "    }\n"
        "    T(int x) { this(x, \"d\"); }\n"
        "}\n";
    const DecompiledBody compact = decompiled(source, "<init>", "(ILjava/lang/String;)V");
    ASSERT_TRUE(compact.decompiled);
    const std::vector<TopStatement> statements = afterSuper(compact);
    ASSERT_EQ(statements.size(), 3u);
    EXPECT_EQ(statements[0].kind, Kind::Other);
    EXPECT_FALSE(statements[0].usesOwnFields);  // it reads the parameter
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(statements[i + 1].kind, Kind::FieldStore);
        EXPECT_EQ(statements[i + 1].field, i == 0 ? "x" : "y");
        EXPECT_EQ(statements[i + 1].storedParameter, i);
        EXPECT_TRUE(statements[i + 1].usesOwnFields);
    }
    const DecompiledBody delegating = decompiled(source, "<init>", "(I)V");
    ASSERT_FALSE(delegating.statements.empty());
    EXPECT_EQ(delegating.statements[0].kind, Kind::ThisCall);
    EXPECT_EQ(delegating.statements[0].arguments, 2u);
    EXPECT_EQ(delegating.statements[0].leadingParameters, 1u);
}

TEST_F(TopStatementsTest, AStoreOfAnythingButTheParameterSaysSo) {
    const DecompiledBody body = decompiled(
        "record T(int x, int y) {\n"
        "    T(int x, int y) { this.x = x; this.y = y + this.x; }\n"
        "}\n",
        "<init>");
    const std::vector<TopStatement> statements = afterSuper(body);
    ASSERT_EQ(statements.size(), 2u);
    EXPECT_EQ(statements[0].storedParameter, 0u);
    EXPECT_EQ(statements[1].kind, Kind::FieldStore);
    EXPECT_EQ(statements[1].storedParameter, TopStatement::npos);
    // Not in a constructor, nothing is asked.
    const DecompiledBody accessor = decompiled("record T(int x) { int twice() { return x * 2; } }", "twice");
    ASSERT_EQ(accessor.statements.size(), 1u);
    EXPECT_FALSE(accessor.statements[0].usesOwnFields);
}

const char* const EnumSource =
    "enum T {\n"
    "    A(1), B;\n"
    "    final int v;\n"
    "    T(int v) { this.v = v; }\n"
    "    T() { this(7); }\n"
    "}\n";

TEST_F(TopStatementsTest, AnEnumConstructorPassesOnItsNameAndOrdinal) {
    const DecompiledBody own = decompiled(EnumSource, "<init>", "(Ljava/lang/String;II)V", 2);
    ASSERT_FALSE(own.statements.empty());
    EXPECT_EQ(own.statements[0].kind, Kind::SuperCall);
    EXPECT_EQ(own.statements[0].arguments, 2u);
    EXPECT_EQ(own.statements[0].leadingParameters, 2u);
    // The hidden parameters are left out of a call to another constructor,
    // and only there.
    const DecompiledBody hidden = decompiled(EnumSource, "<init>", "(Ljava/lang/String;I)V", 2);
    ASSERT_FALSE(hidden.lines.empty());
    EXPECT_EQ(hidden.lines[0], "this(7);");
    EXPECT_EQ(hidden.statements[0].kind, Kind::ThisCall);
    EXPECT_EQ(hidden.statements[0].arguments, 3u);
    EXPECT_EQ(hidden.statements[0].leadingParameters, 2u);
    const DecompiledBody shown = decompiled(EnumSource, "<init>", "(Ljava/lang/String;I)V", 0);
    ASSERT_FALSE(shown.lines.empty());
    EXPECT_EQ(shown.lines[0], "this(p0, p1, 7);");
}

TEST_F(TopStatementsTest, AnEnumsInitializerCreatesItsConstants) {
    options.modern = true;
    const DecompiledBody body = decompiled(EnumSource, "<clinit>");
    std::vector<const TopStatement*> creations;
    for (const TopStatement& s : body.statements) {
        if (s.kind == Kind::StaticStore && s.enumCreation) creations.push_back(&s);
    }
    ASSERT_EQ(creations.size(), 2u);
    EXPECT_EQ(creations[0]->field, "A");
    EXPECT_EQ(creations[0]->enumCreation->ordinal, 0);
    EXPECT_EQ(creations[0]->enumCreation->tail, "(1)");
    EXPECT_EQ(creations[1]->field, "B");
    EXPECT_EQ(creations[1]->enumCreation->ordinal, 1);
    EXPECT_EQ(creations[1]->enumCreation->tail, "");
    // The classic dialect declares no constants.
    options.modern = false;
    for (const TopStatement& s : decompiled(EnumSource, "<clinit>").statements) EXPECT_FALSE(s.enumCreation);
}

TEST_F(TopStatementsTest, AConstructorsStatementsNameTheParametersTheyUse) {
    const DecompiledBody body = decompiled(
        "class T {\n"
        "    Runnable r;\n"
        "    T(int a, int b, int c) {\n"
        "        if (c > 0) System.out.println(\"c\");\n"
        "        r = () -> System.out.println(a);\n"
        "        System.out.println(new Object() { int d = b; }.d);\n"
        "    }\n"
        "}\n",
        "<init>");
    const std::vector<TopStatement> statements = afterSuper(body);
    ASSERT_EQ(statements.size(), 3u);
    EXPECT_EQ(statements[0].parameters, std::vector<size_t>{2});
    // Captured by a lambda and by an anonymous class: named all the same.
    EXPECT_EQ(statements[1].parameters, std::vector<size_t>{0});
    EXPECT_EQ(statements[2].parameters, std::vector<size_t>{1});
}

TEST_F(TopStatementsTest, AStaticStoresValueIsWhatFollowsTheAssignment) {
    options.modern = true;
    const DecompiledBody body = decompiled(
        "class T {\n"
        "    static int a;\n"
        "    static String s;\n"
        "    static Runnable r;\n"
        "    static {\n"
        "        a = 1;\n"
        "        s = \"k = v\" + a;\n"
        "        r = () -> {\n"
        "            a = 2;\n"
        "            s = null;\n"
        "        };\n"
        "    }\n"
        "}\n",
        "<clinit>");
    ASSERT_EQ(body.statements.size(), 3u);
    EXPECT_EQ(body.statements[0].value, std::vector<std::string>{"1"});
    EXPECT_EQ(body.statements[1].value, std::vector<std::string>{"\"k = v\" + T.a"});
    const std::vector<std::string>& lambda = body.statements[2].value;
    ASSERT_EQ(lambda.size(), 4u);
    EXPECT_EQ(lambda.front(), "() -> {");
    EXPECT_EQ(lambda[1], "    a = 2;");
    EXPECT_EQ(lambda.back(), "}");
}

}  // namespace
}  // namespace jad::test
