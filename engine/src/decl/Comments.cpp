#include "decl/Comments.h"

#include "print/Names.h"

namespace jad {

std::vector<std::string> annotationComments(const AnnotationTexts& annotations, bool deprecated) {
    std::vector<std::string> lines;
    bool annotatedDeprecated = false;
    for (const auto& text : annotations) {
        annotatedDeprecated |= text == "@Deprecated" || text.rfind("@Deprecated(", 0) == 0;
        lines.push_back("// " + displayName(text));
    }
    if (deprecated && !annotatedDeprecated) lines.push_back("// @Deprecated");
    return lines;
}

std::vector<std::string> signatureComment(const std::string& signature) {
    if (signature.empty()) return {};
    return {"// signature " + displayName(signature)};
}

}  // namespace jad
