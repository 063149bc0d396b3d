// Following a name to its declaration, and the history of places visited.
#include <gtest/gtest.h>

#include <set>

#include "gui/DeclarationResolver.h"
#include "gui/NavigationHistory.h"

using namespace products::zefra::gui;

namespace {

const char* const TEXT =
    "/* header */\r\n"
    "package com.example.shop;\r\n"
    "\r\n"
    "import com.example.util.Strings;\r\n"
    "import java.util.List;\r\n"
    "import com.example.model.*;\r\n"
    "import static com.example.util.Checks.notNull;\r\n"
    "\r\n"
    "public class Cart\r\n"
    "{\r\n";

const std::set<std::string> ARCHIVE = {"com.example.shop.Cart",   "com.example.shop.Item",
                                       "com.example.util.Strings", "com.example.util.Checks",
                                       "com.example.model.Order",  "com.example.shop.List"};

DeclarationResolver resolverFor(const std::string& text) {
    std::vector<Declaration> own = {{"Cart", 8, true},  {"Entry", 20, true}, {"total", 12, false},
                                    {"add", 15, false}, {"size", 30, false}, {"key", 22, false}};
    return DeclarationResolver(readJavaContext(text), own,
                               [](const std::string& name) { return ARCHIVE.count(name) > 0; });
}

Destination at(const std::string& line, const std::string& word, int offset = 0) {
    const std::size_t column = line.find(word);
    EXPECT_NE(column, std::string::npos);
    return resolverFor(TEXT).resolve(nameAt(line, static_cast<int>(column) + offset));
}

void expectClass(const Destination& destination, const std::string& className, const std::string& member = "") {
    EXPECT_EQ(destination.kind, Destination::ArchiveClass);
    EXPECT_EQ(destination.className, className);
    EXPECT_EQ(destination.member, member);
}

}

TEST(JavaContextTest, ReadsPackageAndEveryKindOfImportAndStopsAtTheClass) {
    const JavaContext context = readJavaContext(std::string(TEXT) + "import not.an.Import;\r\n");
    EXPECT_EQ(context.packageName, "com.example.shop");
    EXPECT_EQ(context.typeImports, (std::vector<std::string>{"com.example.util.Strings", "java.util.List"}));
    EXPECT_EQ(context.onDemandImports, std::vector<std::string>{"com.example.model"});
    EXPECT_EQ(context.staticImports, std::vector<std::string>{"com.example.util.Checks.notNull"});
    EXPECT_TRUE(readJavaContext("class A {}").packageName.empty());
}

TEST(NameAtCursorTest, FindsTheWordAndTheDottedNamesBeforeIt) {
    const std::string line = "    x = com.example.util.Strings.join(a, b_2);";
    NameAtCursor name = nameAt(line, static_cast<int>(line.find("join")) + 2);
    EXPECT_EQ(name.word, "join");
    EXPECT_EQ(name.qualifier, (std::vector<std::string>{"com", "example", "util", "Strings"}));
    // Just after a name is still on it.
    name = nameAt(line, static_cast<int>(line.find("b_2")) + 3);
    EXPECT_EQ(name.word, "b_2");
    EXPECT_TRUE(name.qualifier.empty());
    EXPECT_EQ(nameAt(line, static_cast<int>(line.find("(a"))).word, "join");
    EXPECT_TRUE(nameAt("  = 42;", 4).word.empty());
    EXPECT_TRUE(nameAt("", 0).word.empty());
    EXPECT_TRUE(nameAt("abc", 99).word.empty());
}

TEST(DeclarationResolverTest, TypesResolveInJavasOrder) {
    // Imported by name.
    expectClass(at("Strings s;", "Strings"), "com.example.util.Strings");
    // The same package.
    expectClass(at("Item i;", "Item"), "com.example.shop.Item");
    // On demand.
    expectClass(at("Order o;", "Order"), "com.example.model.Order");
    // An import by name wins over a class of the same package, and leads
    // nowhere when the archive lacks it.
    EXPECT_EQ(at("List l;", "List").kind, Destination::Nowhere);
    // Unknown and platform types lead nowhere.
    EXPECT_EQ(at("String s;", "String").kind, Destination::Nowhere);
}

TEST(DeclarationResolverTest, DeclarationsOfTheTextAreLinesHere) {
    Destination destination = at("Entry e;", "Entry");
    EXPECT_EQ(destination.kind, Destination::LineHere);
    EXPECT_EQ(destination.line, 20);
    destination = at("return total + 1;", "total");
    EXPECT_EQ(destination.kind, Destination::LineHere);
    EXPECT_EQ(destination.line, 12);
    destination = at("this.add(x);", "add");
    EXPECT_EQ(destination.line, 15);
    // A member of another object is not this class's member.
    EXPECT_EQ(at("other.size();", "size").kind, Destination::Nowhere);
    // Cart.Entry.key: the nested class of this text, and its member.
    destination = at("Entry.key", "key");
    EXPECT_EQ(destination.kind, Destination::LineHere);
    EXPECT_EQ(destination.line, 22);
}

TEST(DeclarationResolverTest, QualifiedNamesAndMembersOfOtherClasses) {
    expectClass(at("com.example.util.Strings.join(a)", "Strings"), "com.example.util.Strings");
    expectClass(at("com.example.util.Strings.join(a)", "join"), "com.example.util.Strings", "join");
    expectClass(at("Strings.join(a)", "join"), "com.example.util.Strings", "join");
    // A nested class of an archive class opens the outer one at it.
    expectClass(at("com.example.model.Order.Line l;", "Line"), "com.example.model.Order", "Line");
    expectClass(at("Order.Line l;", "Line"), "com.example.model.Order", "Line");
    // A statically imported member.
    expectClass(at("notNull(x);", "notNull"), "com.example.util.Checks", "notNull");
}

TEST(NamesOfEntryTest, TheBareIdentifiersOfTreeEntries) {
    EXPECT_EQ(namesOfEntry("broken(int i)"), std::vector<std::string>{"broken"});
    EXPECT_EQ(namesOfEntry("x=5,y"), (std::vector<std::string>{"x", "y"}));
    EXPECT_EQ(namesOfEntry("c[][]"), std::vector<std::string>{"c"});
    // An initializer's own commas are no declarators.
    EXPECT_EQ(namesOfEntry("m=f(1,2)"), std::vector<std::string>{"m"});
    EXPECT_EQ(namesOfEntry("Shapes"), std::vector<std::string>{"Shapes"});
}

TEST(NavigationHistoryTest, BackAndForwardAsABrowserDoes) {
    NavigationHistory history;
    EXPECT_FALSE(history.canGoBack());
    history.leave({"a.A", 1});
    history.leave({"b.B", 2});
    const Place now{"c.C", 3};
    EXPECT_EQ(history.back(now), (Place{"b.B", 2}));
    EXPECT_TRUE(history.canGoForward());
    EXPECT_EQ(history.back({"b.B", 2}), (Place{"a.A", 1}));
    EXPECT_FALSE(history.canGoBack());
    EXPECT_EQ(history.forward({"a.A", 1}), (Place{"b.B", 2}));
    EXPECT_EQ(history.forward({"b.B", 2}), now);
    // Somewhere new forgets the places ahead.
    history.back(now);
    history.leave({"b.B", 5});
    EXPECT_FALSE(history.canGoForward());
}

TEST(NavigationHistoryTest, KeepsOnlyTheLatestPlaces) {
    NavigationHistory history;
    for (int i = 0; i < 250; ++i) history.leave({"x", i});
    int steps = 0;
    Place at{"x", 1000};
    while (history.canGoBack()) {
        at = history.back(at);
        ++steps;
    }
    EXPECT_EQ(steps, static_cast<int>(NavigationHistory::MAX_PLACES));
    EXPECT_EQ(at.line, 250 - static_cast<int>(NavigationHistory::MAX_PLACES));
}
