// The type chosen for a reference local from its values and uses.
#include <gtest/gtest.h>

#include "body/ir/Ir.h"
#include "body/ir/RefTypes.h"

namespace jad::test {
namespace {

using body::RefEvidence;

JavaType type(const std::string& descriptor) { return *parseFieldDescriptor(descriptor); }

std::string decided(const RefEvidence& ev, const std::string& current = "Ljava/lang/Object;") {
    return body::decideReference(type(current), ev).type.descriptor();
}

TEST(RefTypes, CommonTypeFollowsArrayElementsAndFallsBackToObject) {
    EXPECT_EQ(body::commonType(type("[[Ljava/lang/Integer;"), type("[[Ljava/lang/String;")).descriptor(), "[[Ljava/lang/Object;");
    EXPECT_EQ(body::commonType(type("[[I"), type("[Ljava/lang/String;")).descriptor(), "[Ljava/lang/Object;");
    EXPECT_EQ(body::commonType(type("[I"), type("[J")).descriptor(), "Ljava/lang/Object;");
    EXPECT_EQ(body::commonType(type("[I"), type("[I")).descriptor(), "[I");
    EXPECT_EQ(body::commonType(type("Ljava/lang/String;"), type("[I")).descriptor(), "Ljava/lang/Object;");
}

TEST(RefTypes, OneValueTypeIsKeptAndExactUnlessAStoreNeedsMore) {
    RefEvidence ev;
    ev.values = {type("[[Ljava/lang/Integer;")};
    auto d = body::decideReference(type("Ljava/lang/Object;"), ev);
    EXPECT_EQ(d.type.descriptor(), "[[Ljava/lang/Integer;");
    EXPECT_TRUE(d.exact);
    ev.stores = {{2, type("Ljava/lang/String;")}, {1, type("[Ljava/lang/Integer;")}};
    d = body::decideReference(type("Ljava/lang/Object;"), ev);
    EXPECT_EQ(d.type.descriptor(), "[[Ljava/lang/Object;");
    EXPECT_FALSE(d.exact);
}

TEST(RefTypes, DisagreeingValuesTakeTheTypeEveryUseAsksFor) {
    RefEvidence ev;
    ev.values = {type("Ljava/lang/String;"), type("Ljava/lang/StringBuilder;")};
    EXPECT_EQ(decided(ev), "Ljava/lang/Object;");
    ev.asked = {type("Ljava/lang/CharSequence;"), type("Ljava/lang/Object;"), type("Ljava/lang/CharSequence;")};
    EXPECT_EQ(decided(ev), "Ljava/lang/CharSequence;");
    ev.asked.push_back(type("Ljava/io/Serializable;"));
    EXPECT_EQ(decided(ev), "Ljava/lang/Object;");  // no one type known to satisfy both
}

TEST(RefTypes, AnIndexedLocalOnlyTakesAnArrayTypeFromItsUses) {
    RefEvidence ev;
    ev.array = true;
    ev.values = {type("[Ljava/lang/String;"), type("[Ljava/lang/Integer;")};
    ev.asked = {type("Ljava/io/Serializable;")};
    EXPECT_EQ(decided(ev), "[Ljava/lang/Object;");
    ev.asked = {type("[Ljava/lang/Comparable;")};
    EXPECT_EQ(decided(ev), "[Ljava/lang/Comparable;");
}

TEST(RefTypes, OnlyNullValuesKeepTheCurrentTypeUnlessAUseAsks) {
    RefEvidence ev;
    EXPECT_EQ(decided(ev, "[J"), "[J");
    ev.asked = {type("Ljava/lang/String;")};
    EXPECT_EQ(decided(ev), "Ljava/lang/String;");
    ev.tested = true;  // still what uses ask for, else Object
    EXPECT_EQ(decided(ev), "Ljava/lang/String;");
    ev.asked.clear();
    EXPECT_EQ(decided(ev, "Ljava/lang/String;"), "Ljava/lang/Object;");
}

}  // namespace
}  // namespace jad::test
