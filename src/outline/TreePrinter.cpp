#include "TreePrinter.h"

#include <string>

namespace outline {

namespace {

using products::zefra::decompiler::ClassStructure;
using products::zefra::decompiler::ClassStructureList;
using products::zefra::decompiler::NameAndLine;
using products::zefra::decompiler::NameAndLineList;

// Keeps one entry on one line whatever bytes its name holds.
std::string escaped(const std::string& name)
{
    std::string result;
    result.reserve(name.size());
    for (char c : name) {
        if (c == '\n') {
            result += "\\n";
        } else if (c == '\r') {
            result += "\\r";
        } else if (c == '\\') {
            result += "\\\\";
        } else {
            result += c;
        }
    }
    return result;
}

void printEntry(std::ostream& out, unsigned depth, const char* kind, const char* access,
                const NameAndLine& entry)
{
    out << std::string(2 * depth, ' ') << kind << ' ' << access << ' ' << escaped(entry.getName()) << ' '
        << static_cast<long long>(entry.getLine()) + 1 << '\n';
}

void printMembers(std::ostream& out, unsigned depth, const char* kind, const char* access,
                  const NameAndLineList& members)
{
    for (const NameAndLine& member : members) {
        printEntry(out, depth, kind, access, member);
    }
}

void printClass(std::ostream& out, unsigned depth, const char* access, const ClassStructure& node);

void printClasses(std::ostream& out, unsigned depth, const char* access, const ClassStructureList& nodes)
{
    for (const ClassStructure* node : nodes) {
        printClass(out, depth, access, *node);
    }
}

void printClass(std::ostream& out, unsigned depth, const char* access, const ClassStructure& node)
{
    printEntry(out, depth, "class", access, node.getNameAndLine());
    unsigned inner = depth + 1;
    printClasses(out, inner, "private", node.getPrivateInnerClasses());
    printClasses(out, inner, "protected", node.getProtectedInnerClasses());
    printClasses(out, inner, "public", node.getPublicInnerClasses());
    printMembers(out, inner, "field", "private", node.getPrivateFields());
    printMembers(out, inner, "field", "protected", node.getProtectedFields());
    printMembers(out, inner, "field", "public", node.getPublicFields());
    printMembers(out, inner, "method", "private", node.getPrivateMethods());
    printMembers(out, inner, "method", "protected", node.getProtectedMethods());
    printMembers(out, inner, "method", "public", node.getPublicMethods());
}

}

void printTree(std::ostream& out, const ClassStructure& root, const char* rootAccess)
{
    printClass(out, 0, rootAccess, root);
}

}
