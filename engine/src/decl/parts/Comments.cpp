#include "decl/parts/Comments.h"

#include "print/AnnotationText.h"
#include "print/Names.h"

namespace jad {

std::vector<std::string> annotationComments(const Annotations& annotations, bool deprecated) {
    std::vector<std::string> lines;
    bool annotatedDeprecated = false;
    for (const Annotation& annotation : annotations) {
        const std::string text = annotationText(annotation);
        annotatedDeprecated |= text == "@Deprecated" || text.rfind("@Deprecated(", 0) == 0;
        lines.push_back("// " + displayName(text));
    }
    if (deprecated && !annotatedDeprecated) lines.push_back("// @Deprecated");
    return lines;
}

namespace {

// Whether a signature says more than the erased declaration: type arguments
// or type variables ('T' where a type starts; class names start after 'L').
bool isGeneric(const std::string& signature) {
    if (signature.find('<') != std::string::npos) return true;
    for (size_t i = 0; i < signature.size(); ++i) {
        if (signature[i] == 'T' && (i == 0 || std::string("(;[)^>:+-").find(signature[i - 1]) != std::string::npos)) {
            return true;
        }
    }
    return false;
}

}  // namespace

std::vector<std::string> signatureComment(const std::string& signature, const std::optional<std::string>& text) {
    if (signature.empty() || !isGeneric(signature)) return {};
    if (text) return {"// " + *text};
    return {"// signature " + displayName(signature)};
}

}  // namespace jad
