#include "decl/parts/AnnotationLines.h"

#include "print/AnnotationText.h"
#include "print/Names.h"

namespace jad {

namespace {

// "@a.b.C(x = 1)" -> "a.b.C"
std::string annotationType(const std::string& text) {
    size_t end = text.find('(');
    return text.substr(1, (end == std::string::npos ? text.size() : end) - 1);
}

std::vector<std::string> packageParts(const std::string& name, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    for (size_t at = name.find(separator); at != std::string::npos; at = name.find(separator, start)) {
        parts.push_back(name.substr(start, at - start));
        start = at + 1;
    }
    return parts;  // the last part (the class's own name) left out
}

// The platform's annotations, and those of the code's own project (the
// same first three package names: "org.apache.commons"), resolve where
// the output is compiled; texts cut short do not.
bool isDeclarable(const std::string& text, const ClassFile& owner) {
    if (text.size() < 2 || text[0] != '@') return false;
    if (text.size() >= 3 && text.compare(text.size() - 3, 3, "...") == 0) return false;
    const std::string type = annotationType(text);
    if (type.find('.') == std::string::npos) return true;  // java.lang's, or the default package's
    if (type.rfind("java.", 0) == 0) return true;
    std::vector<std::string> theirs = packageParts(type, '.');
    std::vector<std::string> ours = packageParts(owner.thisClass, '/');
    // From the default package, a class of it: "Outer.Tag" (packages are
    // written in lower case).
    if (ours.empty()) return type[0] >= 'A' && type[0] <= 'Z';
    size_t common = ours.size() < 3 ? ours.size() : 3;
    if (common == 0 || theirs.size() < common) return false;
    for (size_t i = 0; i < common; ++i) {
        if (theirs[i] != ours[i]) return false;
    }
    return true;
}

}  // namespace

std::vector<std::string> annotationLines(const Annotations& annotations, const ClassFile& owner) {
    std::vector<std::string> lines;
    for (const Annotation& annotation : annotations) {
        const std::string text = annotationText(annotation);
        lines.push_back(isDeclarable(text, owner) ? displayName(text) : "// " + displayName(text));
    }
    return lines;
}

std::string inlineAnnotations(const Annotations& annotations, const ClassFile& owner) {
    std::string text;
    for (const Annotation& annotation : annotations) {
        const std::string written = annotationText(annotation);
        if (isDeclarable(written, owner)) text += displayName(written) + " ";
    }
    return text;
}

}  // namespace jad
