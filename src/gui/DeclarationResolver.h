#pragma once

#include <functional>
#include <string>
#include <vector>

namespace products {
namespace zefra {
namespace gui {

// What a Java text says about the names it uses: its package and imports.
struct JavaContext {
    std::string packageName;
    std::vector<std::string> typeImports;       // import a.b.C;
    std::vector<std::string> onDemandImports;   // import a.b.*;  ("a.b")
    std::vector<std::string> staticImports;     // import static a.b.C.m;  ("a.b.C.m")
    std::vector<std::string> staticOnDemand;    // import static a.b.C.*;  ("a.b.C")
};

// Reads the package and import declarations at the head of the text.
JavaContext readJavaContext(const std::string& text);

// A declaration of the text shown: a class, or a member of one.
struct Declaration {
    std::string name;  // the bare identifier
    int line = 0;
    bool isClass = false;
};

// The name under the cursor with the dotted names before it: in
// "base.Preconditions.checkNotNull(x)" at "checkNotNull", the qualifier is
// {"base", "Preconditions"}.
struct NameAtCursor {
    std::vector<std::string> qualifier;
    std::string word;
};
NameAtCursor nameAt(const std::string& lineText, int column);

// Where a name leads.
struct Destination {
    enum Kind { Nowhere, LineHere, ArchiveClass };
    Kind kind = Nowhere;
    int line = 0;             // LineHere
    std::string className;    // ArchiveClass: the top-level class, qualified
    std::string member;       // ArchiveClass: a member or nested class to select there, or empty
};

// Follows a name to its declaration through the text's own declarations,
// its imports, its package and the archive's top-level classes, in the
// order Java looks names up: declared here, imported by name, same
// package, imported on demand.
class DeclarationResolver {
public:
    using ClassLookup = std::function<bool(const std::string& qualifiedName)>;

    DeclarationResolver(JavaContext context, std::vector<Declaration> own, ClassLookup archiveHas);

    Destination resolve(const NameAtCursor& name) const;

private:
    Destination resolveSimpleType(const std::string& name) const;
    Destination resolveQualified(const std::vector<std::string>& chain, const std::string& word) const;
    Destination resolveStaticImport(const std::string& name) const;
    Destination classOrNested(const std::string& qualified, const std::string& member) const;
    const Declaration* ownDeclaration(const std::string& name, bool classesOnly) const;

    JavaContext _context;
    std::vector<Declaration> _own;
    ClassLookup _archiveHas;
};

// The bare identifier of a structure-tree entry: "broken(int i)" gives
// "broken", "x=5,y" gives "x" (and "y" through namesOfEntry).
std::vector<std::string> namesOfEntry(const std::string& entryText);

}
}
}
