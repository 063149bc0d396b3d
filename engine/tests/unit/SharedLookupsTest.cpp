#include <algorithm>
// The caches that let one run share its parses and lookups: each must
// answer as the uncached lookup would, whatever it forgets on the way.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "JavaTestSupport.h"
#include "body/generics/GenericTypes.h"
#include "body/types/Hierarchy.h"
#include "classfile/ClassReader.h"
#include "classfile/SignatureCache.h"
#include "cli/Files.h"
#include "cli/RecentCache.h"
#include "decl/members/ClassTree.h"
#include "decl/unit/UnitClasses.h"

namespace jad {
namespace {

TEST(SignatureCacheTest, AnswersAsTheParserAndSharesRepeats) {
    const std::string text = "<K:Ljava/lang/Object;>(TK;Ljava/util/List<+TK;>;)Ljava/util/Map<TK;[I>;^TE;";
    auto first = cachedMethodSignature(text);
    auto parsed = parseMethodSignature(text);
    ASSERT_TRUE(first && parsed);
    ASSERT_EQ(first->parameters.size(), parsed->parameters.size());
    for (size_t i = 0; i < parsed->parameters.size(); ++i) {
        EXPECT_TRUE(body::sameGeneric(first->parameters[i], parsed->parameters[i]));
    }
    EXPECT_TRUE(body::sameGeneric(first->result, parsed->result));
    EXPECT_EQ(first->typeParameters.size(), 1u);
    EXPECT_EQ(first->exceptions.size(), 1u);
    EXPECT_EQ(cachedMethodSignature(text), first);

    // The kinds are kept apart: a text valid as one kind is not as another.
    EXPECT_TRUE(cachedFieldSignature("Ljava/util/List<TT;>;"));
    EXPECT_FALSE(cachedClassSignature("Ljava/util/List<TT;>;;"));
    EXPECT_FALSE(cachedMethodSignature("Ljava/util/List<TT;>;"));
    EXPECT_TRUE(cachedClassSignature("<T:Ljava/lang/Object;>Ljava/lang/Object;"));
}

TEST(SignatureCacheTest, MalformedStaysMalformed) {
    for (const char* text : {"", "L", "Ljava/util/List<>;", "TT", "[", "Ljava/lang/String;X"}) {
        EXPECT_FALSE(cachedFieldSignature(text)) << text;
        EXPECT_FALSE(cachedFieldSignature(text)) << text << " (asked again)";
    }
}

TEST(SignatureCacheTest, WhatWasHandedOutOutlivesForgetting) {
    auto kept = cachedFieldSignature("Ljava/util/Map<Ljava/lang/String;TV;>;");
    ASSERT_TRUE(kept);
    // Far more texts than the cache keeps: it starts again at least once.
    for (int i = 0; i < 10000; ++i) {
        auto other = cachedFieldSignature("Ljava/util/List<La/C" + std::to_string(i) + ";>;");
        ASSERT_TRUE(other);
        ASSERT_EQ(other->parts[0].arguments[0].type->className(), "a/C" + std::to_string(i));
    }
    EXPECT_EQ(kept->className(), "java/util/Map");
    ASSERT_EQ(kept->parts[0].arguments.size(), 2u);
    EXPECT_EQ(kept->parts[0].arguments[1].type->variable, "V");
    auto again = cachedFieldSignature("Ljava/util/Map<Ljava/lang/String;TV;>;");
    ASSERT_TRUE(again);
    EXPECT_TRUE(body::sameGeneric(*again, *kept));
}

TEST(RecentCacheTest, ForgetsTheLeastRecentlyAsked) {
    RecentCache<int> cache(2);
    std::map<std::string, int> made;
    auto get = [&](const std::string& key) {
        return cache.get(key, [&] { return ++made[key] * 100 + static_cast<int>(key.size()); });
    };
    EXPECT_EQ(get("a"), 101);
    EXPECT_EQ(get("bb"), 102);
    EXPECT_EQ(get("a"), 101);    // held, and now the most recent
    EXPECT_EQ(get("ccc"), 103);  // "bb" goes
    EXPECT_EQ(cache.size(), 2u);
    EXPECT_EQ(get("a"), 101);
    EXPECT_EQ(made["a"], 1);
    EXPECT_EQ(get("bb"), 202);   // made again; "ccc" goes
    EXPECT_EQ(get("ccc"), 203);
    EXPECT_EQ(made["ccc"], 2);

    RecentCache<int> none(0);
    int calls = 0;
    none.get("x", [&] { return ++calls; });
    none.get("x", [&] { return ++calls; });
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(none.size(), 0u);
}

// Siblings from memory, counting the parses asked for.
class CountingSiblings : public SiblingFiles {
public:
    std::map<std::string, std::vector<uint8_t>> files;  // by internal name
    mutable int declarationReads = 0;
    std::optional<std::vector<uint8_t>> read(const std::string& internalName) const override {
        auto found = files.find(internalName);
        if (found == files.end()) return std::nullopt;
        return found->second;
    }
    bool hasClass(const std::string& simpleName) const override { return files.count("p/" + simpleName) > 0; }
    std::shared_ptr<const ClassFile> declarations(const std::string& internalName) const override {
        ++declarationReads;
        return SiblingFiles::declarations(internalName);
    }
};

const Method* methodNamed(const ClassFile& file, const std::string& name) {
    for (const Method& m : file.methods) {
        if (m.name == name) return &m;
    }
    return nullptr;
}

TEST(UnitClassesTest, TypeLookupsAreRememberedUntilTheClassIsReadInFull) {
    test::TempDir dir;
    auto compiled = test::compileJava(dir.path(), {{"p/Top.java", "package p; public class Top { int f() { return Helper.one(); } }"},
                                                   {"p/Helper.java", "package p; class Helper { static int one() { return 1; } }"}});
    ASSERT_EQ(compiled.status, 0) << compiled.err;
    CountingSiblings siblings;
    siblings.files["p/Helper"] = test::readBytes(dir.path() / "classes/p/Helper.class");
    const std::vector<uint8_t> top = test::readBytes(dir.path() / "classes/p/Top.class");
    ClassNode tree = buildClassTree(readClassFile(top.data(), top.size()), siblings);
    UnitClasses unit(siblings, tree);

    const ClassFile* declared = unit.findType("p/Helper");
    ASSERT_TRUE(declared);
    ASSERT_TRUE(methodNamed(*declared, "one"));
    EXPECT_FALSE(methodNamed(*declared, "one")->code);  // declarations only
    EXPECT_EQ(unit.findType("p/Helper"), declared);
    EXPECT_EQ(siblings.declarationReads, 1);
    EXPECT_EQ(unit.findType("p/Missing"), nullptr);
    EXPECT_EQ(unit.findType("p/Missing"), nullptr);
    EXPECT_EQ(siblings.declarationReads, 2);
    EXPECT_EQ(unit.findType("p/Top"), &tree.file);

    // Read in full since: that is the answer from now on, as it was before
    // any lookup was remembered.
    const ClassFile* full = unit.findClass("p/Helper");
    ASSERT_TRUE(full);
    EXPECT_TRUE(methodNamed(*full, "one")->code);
    EXPECT_EQ(unit.findType("p/Helper"), full);
    EXPECT_EQ(siblings.declarationReads, 2);
}

TEST(UnitClassesTest, BodiesOfAUnitShareTheirOverloadAnswers) {
    test::TempDir dir;
    auto compiled = test::compileJava(dir.path(), {{"p/Top.java", "package p; public class Top extends Base { Top(int i) {} Top(String s) {} String get(int i) { return null; } }"},
                                                   {"p/Base.java", "package p; class Base { Object get(int i) { return i; } void one(int i) {} }"}});
    ASSERT_EQ(compiled.status, 0) << compiled.err;
    CountingSiblings siblings;
    siblings.files["p/Base"] = test::readBytes(dir.path() / "classes/p/Base.class");
    const std::vector<uint8_t> top = test::readBytes(dir.path() / "classes/p/Top.class");
    ClassNode tree = buildClassTree(readClassFile(top.data(), top.size()), siblings);
    UnitClasses unit(siblings, tree);
    // One for all the unit's classes: their bodies see the same classes.
    EXPECT_EQ(unit.hierarchyMemo("p/Top"), unit.hierarchyMemo("p/Base"));

    const std::string covariant = "(I)Ljava/lang/String;";
    {
        const body::Hierarchy first(tree.file, &unit);
        // Base's get(int) is another method by its descriptor, not by its parameters.
        EXPECT_TRUE(first.mayOverload("p/Top", "get", covariant, false));
        EXPECT_FALSE(first.mayOverload("p/Top", "get", covariant, true));
        EXPECT_FALSE(first.mayOverload("p/Top", "one", "(I)V", false));
    }
    // A later body of the class gets the same answers, in either order.
    const body::Hierarchy second(tree.file, &unit);
    EXPECT_FALSE(second.mayOverload("p/Top", "get", covariant, true));
    EXPECT_TRUE(second.mayOverload("p/Top", "get", covariant, false));
    EXPECT_FALSE(second.mayOverload("p/Top", "one", "(I)V", false));
    EXPECT_TRUE(second.isSubtype(body::objectType("p/Top"), body::objectType("p/Base")));
    EXPECT_FALSE(second.isSubtype(body::objectType("p/Base"), body::objectType("p/Top")));
    // A class's own constructors are asked of the class the body has: an
    // anonymous class's members print from a copy without them, and the
    // answer the unit's view of the class gave must not leak into it.
    const body::Hierarchy fromBase(*unit.findClass("p/Base"), &unit);
    EXPECT_TRUE(fromBase.mayOverload("p/Top", "<init>", "(I)V", false));
    ClassFile copy = tree.file;
    copy.methods.erase(std::remove_if(copy.methods.begin(), copy.methods.end(),
                                      [](const Method& m) { return m.name == "<init>" && m.descriptor != "(I)V"; }),
                       copy.methods.end());
    const body::Hierarchy ofCopy(copy, &unit);
    EXPECT_FALSE(ofCopy.mayOverload("p/Top", "<init>", "(I)V", false));
    EXPECT_TRUE(second.mayOverload("p/Top", "<init>", "(I)V", false));
    // Without a unit nothing is shared, and nothing beside the class is known.
    const body::Hierarchy alone(tree.file, nullptr);
    EXPECT_TRUE(alone.mayOverload("p/Top", "one", "(I)V", false));
}

TEST(GenericTyperTest, RemembersTypesOnlyWhileAWalkAsksAndForgetsOnDemand) {
    test::TempDir dir;
    auto compiled = test::compileJava(dir.path(), {{"p/Top.java", "package p; public class Top<T> { void f(T t) {} }"}});
    ASSERT_EQ(compiled.status, 0) << compiled.err;
    const std::vector<uint8_t> bytes = test::readBytes(dir.path() / "classes/p/Top.class");
    const ClassFile file = readClassFile(bytes.data(), bytes.size());
    const body::Hierarchy hierarchy(file, nullptr);
    const body::GenericTyper typer(file, *methodNamed(file, "f"), hierarchy);
    auto var = std::make_shared<body::Var>();
    var->type = body::objectType("java/lang/Object");
    auto first = std::make_shared<const GenericType>(*cachedFieldSignature("TT;"));
    auto second = std::make_shared<const GenericType>(*cachedFieldSignature("Ljava/util/List<TT;>;"));
    var->generic = first;
    body::ExprPtr local = body::makeLocal(var);
    {
        const body::GenericTyper::RememberedTypes remembered(typer);
        EXPECT_EQ(typer.typeOf(*local), first);
        var->generic = second;
        EXPECT_EQ(typer.typeOf(*local), first);  // the walk promised no change
        typer.forgetTypes();
        EXPECT_EQ(typer.typeOf(*local), second);
    }
    // Past the walk every answer is worked out afresh.
    var->generic = first;
    EXPECT_EQ(typer.typeOf(*local), first);
}

TEST(SiblingCacheTest, DeclarationsAnswerOnlyForTheClassTheFileHolds) {
    test::TempDir dir;
    auto compiled = test::compileJava(dir.path(), {{"p/Helper.java", "package p; class Helper { int one() { return 1; } }"}});
    ASSERT_EQ(compiled.status, 0) << compiled.err;
    SiblingCache cache;
    const DirectorySiblings siblings(dir.path() / "classes/p", cache);
    auto declared = siblings.declarations("p/Helper");
    ASSERT_TRUE(declared);
    EXPECT_EQ(declared->thisClass, "p/Helper");
    EXPECT_FALSE(methodNamed(*declared, "one")->code);
    EXPECT_EQ(siblings.declarations("p/Helper"), declared);  // shared by the inputs that follow
    // The same file asked for under another package's name holds no such class.
    EXPECT_FALSE(siblings.declarations("q/Helper"));
    auto full = siblings.parsed("p/Helper");
    ASSERT_TRUE(full);
    EXPECT_TRUE(methodNamed(*full, "one")->code);
}

}  // namespace
}  // namespace jad
