#include <gtest/gtest.h>

#include "classfile/AccessFlags.h"
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

TEST(StaticFields, AssignmentsInDeclarationOrderBecomeInitializers) {
    auto values = fieldInitializers({"A = new Object();", "Owner.B = make(", "    1);",
                                     "C = new Runnable() {", "    public void run() {", "    }", "};"},
                                    ownerWithFields(), "Owner");
    ASSERT_TRUE(values);
    EXPECT_EQ((*values)["A"], std::vector<std::string>{"new Object()"});
    EXPECT_EQ((*values)["B"], (std::vector<std::string>{"make(", "    1)"}));
    EXPECT_EQ((*values)["C"], (std::vector<std::string>{"new Runnable() {", "    public void run() {", "    }", "}"}));
    EXPECT_TRUE(fieldInitializers({}, ownerWithFields(), "Owner"));
}

TEST(StaticFields, AnythingElseKeepsTheBlock) {
    ClassFile owner = ownerWithFields();
    EXPECT_FALSE(fieldInitializers({"B = x();", "A = y();"}, owner, "Owner"));        // out of order
    EXPECT_FALSE(fieldInitializers({"A = x();", "A = y();"}, owner, "Owner"));        // assigned twice
    EXPECT_FALSE(fieldInitializers({"A = x();", "System.gc();"}, owner, "Owner"));
    EXPECT_FALSE(fieldInitializers({"D = x();"}, owner, "Owner"));                    // not a field here
    EXPECT_FALSE(fieldInitializers({"Other.A = x();"}, owner, "Owner"));
    EXPECT_FALSE(fieldInitializers({"if (true) {", "    throw new RuntimeException(\"x\");", "}"}, owner, "Owner"));
    owner.fields[0].access = access::Final;  // an instance field
    EXPECT_FALSE(fieldInitializers({"A = x();"}, owner, "Owner"));
}

}  // namespace
}  // namespace jad
