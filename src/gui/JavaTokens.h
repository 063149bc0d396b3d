#pragma once

#include <QStringView>
#include <vector>

namespace products {
namespace zefra {
namespace gui {

// What a stretch of Java text is, for colouring it. Text outside every span
// is plain: identifiers, operators, white space.
enum class JavaToken { Keyword, Literal, String, Comment, Annotation };

// Where a line ends: in code, inside a block comment or inside a text block.
// The next line starts where the previous one ended.
enum class JavaLineState { Code = 0, BlockComment = 1, TextBlock = 2 };

struct JavaTokenSpan {
    int start;
    int length;
    JavaToken kind;
};

struct JavaLineTokens {
    std::vector<JavaTokenSpan> spans;
    JavaLineState endState = JavaLineState::Code;
};

// The coloured stretches of one line, in order and not overlapping. Reads
// the text only; unterminated literals end at the line's end.
JavaLineTokens tokenizeJavaLine(QStringView line, JavaLineState startState);

}
}
}
