#include "gui/DeclarationResolver.h"

#include <cctype>

namespace products {
namespace zefra {
namespace gui {

namespace {

bool isNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$'; }

std::string trimmed(const std::string& text) {
    const std::string::size_type first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

bool startsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// "a . b.C ;" gives "a.b.C".
std::string dottedName(const std::string& text) {
    std::string name;
    for (char c : text) {
        if (c == ';') break;
        if (c != ' ' && c != '\t') name += c;
    }
    return name;
}

std::string join(const std::vector<std::string>& parts, std::size_t count) {
    std::string joined;
    for (std::size_t i = 0; i < count && i < parts.size(); ++i) joined += (i ? "." : "") + parts[i];
    return joined;
}

std::string lastSegment(const std::string& dotted) {
    const std::string::size_type dot = dotted.rfind('.');
    return dot == std::string::npos ? dotted : dotted.substr(dot + 1);
}

std::string withoutLastSegment(const std::string& dotted) {
    const std::string::size_type dot = dotted.rfind('.');
    return dot == std::string::npos ? std::string() : dotted.substr(0, dot);
}

void readImport(const std::string& rest, JavaContext& context) {
    const std::string declaration = trimmed(rest);
    const bool isStatic = startsWith(declaration, "static") && declaration.size() > 6 &&
                          std::isspace(static_cast<unsigned char>(declaration[6]));
    std::string name = dottedName(isStatic ? declaration.substr(6) : declaration);
    const bool onDemand = name.size() > 2 && name.compare(name.size() - 2, 2, ".*") == 0;
    if (onDemand) name.resize(name.size() - 2);
    if (name.empty()) return;
    if (isStatic) (onDemand ? context.staticOnDemand : context.staticImports).push_back(name);
    else (onDemand ? context.onDemandImports : context.typeImports).push_back(name);
}

}

JavaContext readJavaContext(const std::string& text) {
    JavaContext context;
    std::string::size_type start = 0;
    bool inComment = false;
    while (start < text.size()) {
        std::string::size_type end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = trimmed(text.substr(start, end - start));
        start = end + 1;
        if (inComment) {
            inComment = line.find("*/") == std::string::npos;
            continue;
        }
        if (line.empty() || startsWith(line, "//")) continue;
        if (startsWith(line, "/*")) {
            inComment = line.find("*/", 2) == std::string::npos;
            continue;
        }
        if (startsWith(line, "package ")) {
            context.packageName = dottedName(line.substr(8));
        } else if (startsWith(line, "import ")) {
            readImport(line.substr(7), context);
        } else if (line[0] != ';') {
            break;  // the first type declaration: no imports after it
        }
    }
    return context;
}

NameAtCursor nameAt(const std::string& lineText, int column) {
    NameAtCursor name;
    const int size = static_cast<int>(lineText.size());
    if (column < 0 || column > size) return name;
    int begin = column;
    int end = column;
    // A cursor just after a name is on it.
    if ((end >= size || !isNameChar(lineText[std::size_t(end)])) && begin > 0 &&
        isNameChar(lineText[std::size_t(begin - 1)])) {
        --begin;
        end = begin;
    }
    while (begin > 0 && isNameChar(lineText[std::size_t(begin - 1)])) --begin;
    while (end < size && isNameChar(lineText[std::size_t(end)])) ++end;
    if (begin == end || std::isdigit(static_cast<unsigned char>(lineText[std::size_t(begin)]))) return name;
    name.word = lineText.substr(std::size_t(begin), std::size_t(end - begin));
    // The dotted names before it, nearest last.
    int at = begin;
    while (at > 0 && lineText[std::size_t(at - 1)] == '.') {
        int partEnd = at - 1;
        int partBegin = partEnd;
        while (partBegin > 0 && isNameChar(lineText[std::size_t(partBegin - 1)])) --partBegin;
        if (partBegin == partEnd) break;
        name.qualifier.insert(name.qualifier.begin(),
                              lineText.substr(std::size_t(partBegin), std::size_t(partEnd - partBegin)));
        at = partBegin;
    }
    return name;
}

// A method entry is its name and "(": "broken(int i)". A field entry lists
// its declarators with their initializers: "x=5,y", "m=f(1,2)", "c[][]".
std::vector<std::string> namesOfEntry(const std::string& entryText) {
    std::vector<std::string> names;
    const std::string text = trimmed(entryText);
    std::string::size_type at = 0;
    while (at < text.size()) {
        const std::string::size_type begin = at;
        while (at < text.size() && isNameChar(text[at])) ++at;
        if (at > begin) names.push_back(text.substr(begin, at - begin));
        if (at < text.size() && text[at] == '(' && names.size() == 1) return names;
        // Past the initializer to the next declarator, over nested brackets.
        int depth = 0;
        for (; at < text.size() && !(depth == 0 && text[at] == ','); ++at) {
            if (text[at] == '(' || text[at] == '[' || text[at] == '{') ++depth;
            if ((text[at] == ')' || text[at] == ']' || text[at] == '}') && depth > 0) --depth;
        }
        ++at;
    }
    if (names.empty()) names.push_back(text);
    return names;
}

DeclarationResolver::DeclarationResolver(JavaContext context, std::vector<Declaration> own, ClassLookup archiveHas)
    : _context(std::move(context)), _own(std::move(own)), _archiveHas(std::move(archiveHas)) {}

const Declaration* DeclarationResolver::ownDeclaration(const std::string& name, bool classesOnly) const {
    for (const Declaration& declaration : _own) {
        if (declaration.name == name && (declaration.isClass || !classesOnly)) return &declaration;
    }
    return nullptr;
}

// A qualified name that is a top-level class of the archive, or a class
// nested in one ("a.Outer.Inner" opens a.Outer at Inner).
Destination DeclarationResolver::classOrNested(const std::string& qualified, const std::string& member) const {
    Destination destination;
    if (qualified.empty()) return destination;
    if (_archiveHas(qualified)) {
        destination.kind = Destination::ArchiveClass;
        destination.className = qualified;
        destination.member = member;
        return destination;
    }
    const std::string outer = withoutLastSegment(qualified);
    if (outer.empty()) return destination;
    return classOrNested(outer, member.empty() ? lastSegment(qualified) : member);
}

Destination DeclarationResolver::resolveSimpleType(const std::string& name) const {
    Destination destination;
    if (const Declaration* own = ownDeclaration(name, true)) {
        destination.kind = Destination::LineHere;
        destination.line = own->line;
        return destination;
    }
    for (const std::string& imported : _context.typeImports) {
        // An import by name decides, whether or not the archive has the class.
        if (lastSegment(imported) == name) return classOrNested(imported, "");
    }
    const std::string samePackage = _context.packageName.empty() ? name : _context.packageName + "." + name;
    if (_archiveHas(samePackage)) return classOrNested(samePackage, "");
    for (const std::string& package : _context.onDemandImports) {
        destination = classOrNested(package + "." + name, "");
        // "import a.Outer.*" brings Outer's member classes; the lookup found Outer, not the package.
        if (destination.kind != Destination::Nowhere) return destination;
    }
    return Destination();
}

Destination DeclarationResolver::resolveStaticImport(const std::string& name) const {
    for (const std::string& imported : _context.staticImports) {
        if (lastSegment(imported) == name) return classOrNested(withoutLastSegment(imported), name);
    }
    for (const std::string& type : _context.staticOnDemand) {
        Destination destination = classOrNested(type, name);
        if (destination.kind != Destination::Nowhere) return destination;
    }
    return Destination();
}

// The longest leading part of the chain that names a type decides; the word
// is then looked up in that type.
Destination DeclarationResolver::resolveQualified(const std::vector<std::string>& chain,
                                                  const std::string& word) const {
    for (std::size_t count = chain.size(); count >= 2; --count) {
        if (_archiveHas(join(chain, count))) {
            Destination destination = classOrNested(join(chain, count), count == chain.size() ? "" : word);
            return destination;
        }
    }
    Destination type = resolveSimpleType(chain.front());
    if (type.kind == Destination::Nowhere) return type;
    const bool isTheType = chain.size() == 1;
    if (type.kind == Destination::ArchiveClass) {
        if (!isTheType) type.member = word;
        return type;
    }
    // A class declared here: its member is a line here too.
    if (!isTheType) {
        if (const Declaration* member = ownDeclaration(word, false)) type.line = member->line;
    }
    return type;
}

Destination DeclarationResolver::resolve(const NameAtCursor& name) const {
    if (name.word.empty()) return Destination();
    std::vector<std::string> qualifier = name.qualifier;
    if (!qualifier.empty() && qualifier.front() == "this") qualifier.erase(qualifier.begin());
    if (!qualifier.empty()) {
        std::vector<std::string> chain = qualifier;
        chain.push_back(name.word);
        return resolveQualified(chain, name.word);
    }
    if (const Declaration* own = ownDeclaration(name.word, false)) {
        Destination destination;
        destination.kind = Destination::LineHere;
        destination.line = own->line;
        return destination;
    }
    Destination type = resolveSimpleType(name.word);
    if (type.kind != Destination::Nowhere) return type;
    return resolveStaticImport(name.word);
}

}
}
}
