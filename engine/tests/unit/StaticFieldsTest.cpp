#include <gtest/gtest.h>

#include "classfile/AccessFlags.h"
#include "decl/members/EnumConstants.h"
#include "decl/members/StaticFields.h"

namespace jad {
namespace {

ClassFile ownerWithFields() {
    ClassFile file;
    file.thisClass = "p/Owner";
    for (const char* name : {"A", "B", "C"}) {
        Field field;
        field.access = access::Static | access::Final;
        field.name = name;
        field.descriptor = "Ljava/lang/Object;";
        file.fields.push_back(field);
    }
    return file;
}

// A decompiled body whose statements are given as (kind, field, lines); a
// store's value is its lines after "F = " without the semicolon.
struct BodyBuilder {
    DecompiledBody body{{}, true, {}};

    BodyBuilder& store(const std::string& field, std::vector<std::string> lines,
                       const std::string& descriptor = "Ljava/lang/Object;") {
        TopStatement s = TopStatement::at(TopStatement::Kind::StaticStore, body.lines.size());
        s.field = field;
        s.descriptor = descriptor;
        s.value = lines;
        s.value.front().erase(0, s.value.front().find(" = ") + 3);
        s.value.back().pop_back();
        return add(std::move(s), lines);
    }
    BodyBuilder& other(TopStatement::Kind kind, const std::vector<std::string>& lines) {
        return add(TopStatement::at(kind, body.lines.size()), lines);
    }
    BodyBuilder& add(TopStatement s, const std::vector<std::string>& lines) {
        body.statements.push_back(std::move(s));
        body.lines.insert(body.lines.end(), lines.begin(), lines.end());
        return *this;
    }
};

TEST(StaticFields, StoresInDeclarationOrderBecomeInitializers) {
    BodyBuilder b;
    b.store("A", {"A = new Object();"})
        .store("B", {"Owner.B = make(", "    1);"})
        // A blank line between an anonymous class's members is still the value.
        .store("C", {"C = new Runnable() {", "    void a() {", "    }", "", "    void b() {", "    }", "};"});
    auto values = fieldInitializers(b.body, ownerWithFields());
    ASSERT_TRUE(values);
    EXPECT_EQ((*values)["A"], std::vector<std::string>{"new Object()"});
    EXPECT_EQ((*values)["B"], (std::vector<std::string>{"make(", "    1)"}));
    EXPECT_EQ((*values)["C"].size(), 7u);
    EXPECT_EQ((*values)["C"].back(), "}");
    EXPECT_TRUE(fieldInitializers(BodyBuilder().body, ownerWithFields()));
}

TEST(StaticFields, AnythingElseKeepsTheBlock) {
    ClassFile owner = ownerWithFields();
    const auto fails = [&](const BodyBuilder& b) { return !fieldInitializers(b.body, owner); };
    EXPECT_TRUE(fails(BodyBuilder().store("B", {"B = x();"}).store("A", {"A = y();"})));  // out of order
    EXPECT_TRUE(fails(BodyBuilder().store("A", {"A = x();"}).store("A", {"A = y();"})));  // assigned twice
    EXPECT_TRUE(fails(BodyBuilder().store("A", {"A = x();"}).other(TopStatement::Kind::Other, {"System.gc();"})));
    EXPECT_TRUE(fails(BodyBuilder().store("D", {"D = x();"})));                           // not a field here
    EXPECT_TRUE(fails(BodyBuilder().store("A", {"A = 1;"}, "I")));                        // another field's type
    EXPECT_TRUE(fails(BodyBuilder().other(TopStatement::Kind::Throw, {"throw new RuntimeException(\"x\");"})));
    DecompiledBody fallback = BodyBuilder().store("A", {"A = x();"}).body;
    fallback.decompiled = false;
    EXPECT_FALSE(fieldInitializers(fallback, owner));
    owner.fields[0].access = access::Final;  // an instance field
    EXPECT_TRUE(fails(BodyBuilder().store("A", {"A = x();"})));
}

TEST(StaticFields, AThrowAtTheEndIsWrappedWholeSoTheBlockCanComplete) {
    BodyBuilder b;
    b.other(TopStatement::Kind::Other, {"f();"}).other(TopStatement::Kind::Throw, {"throw new E(new Object() {", "", "});"});
    EXPECT_EQ(trailingThrowLines(b.body), 3u);
    EXPECT_EQ(staticBlockLines(b.body.lines, trailingThrowLines(b.body)),
              (std::vector<std::string>{"f();", "if (true) {", "    throw new E(new Object() {", "", "    });", "}"}));
    EXPECT_EQ(trailingThrowLines(BodyBuilder().other(TopStatement::Kind::Other, {"f();"}).body), 0u);
}

TEST(EnumConstantsFromStatements, CreationsAreTakenAndTheRestIsKept) {
    ClassFile owner;
    owner.thisClass = "p/E";
    owner.superClass = "java/lang/Enum";
    owner.access = access::Enum | access::Final;
    for (const char* name : {"RED", "GREEN"}) {
        Field field;
        field.access = access::Public | access::Static | access::Final | access::Enum;
        field.name = name;
        field.descriptor = "Lp/E;";
        owner.fields.push_back(field);
    }
    const auto created = [](TopStatement s, int64_t ordinal, const std::string& tail) {
        s.enumCreation = EnumCreation{ordinal, tail};
        return s;
    };
    BodyBuilder b;
    b.store("RED", {"RED = new E(\"RED\", 0, 7);"}, "Lp/E;");
    b.body.statements.back() = created(b.body.statements.back(), 0, "(7)");
    b.other(TopStatement::Kind::Other, {"log(\"x = y\");"})
        .store("GREEN", {"E.GREEN = new E(\"GREEN\", 1) {", "    void f() {", "    }", "};"}, "Lp/E;");
    b.body.statements.back() = created(b.body.statements.back(), 1, " {\n    void f() {\n    }\n}");
    const EnumConstants constants = enumConstants(owner, b.body, false);
    EXPECT_EQ(constants.lines,
              (std::vector<std::string>{"RED(7),", "GREEN {", "    void f() {", "    }", "};"}));
    EXPECT_EQ(constants.staticBlock, std::vector<std::string>{"log(\"x = y\");"});
    // As field initializers the other statements are no block's.
    EXPECT_TRUE(enumConstants(owner, b.body, true).staticBlock.empty());
    // A creation of another ordinal, or none javac makes, is no constant's.
    b.body.statements[0].enumCreation->ordinal = 1;
    b.body.statements[2].enumCreation.reset();
    EXPECT_EQ(enumConstants(owner, b.body, false).lines,
              (std::vector<std::string>{"RED(/* creation not recovered */ ?),", "GREEN(/* creation not recovered */ ?);"}));
}

}  // namespace
}  // namespace jad
