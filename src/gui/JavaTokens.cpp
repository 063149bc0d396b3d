#include "gui/JavaTokens.h"

#include <QSet>

namespace products {
namespace zefra {
namespace gui {

namespace {

bool isReservedWord(QStringView word) {
    static const QSet<QStringView> words = {
        u"abstract", u"assert",     u"boolean",   u"break",      u"byte",      u"case",
        u"catch",    u"char",       u"class",     u"const",      u"continue",  u"default",
        u"do",       u"double",     u"else",      u"enum",       u"extends",   u"final",
        u"finally",  u"float",      u"for",       u"goto",       u"if",        u"implements",
        u"import",   u"instanceof", u"int",       u"interface",  u"long",      u"native",
        u"new",      u"package",    u"private",   u"protected",  u"public",    u"return",
        u"short",    u"static",     u"strictfp",  u"super",      u"switch",    u"synchronized",
        u"this",     u"throw",      u"throws",    u"transient",  u"try",       u"void",
        u"volatile", u"while",      u"_",
    };
    return words.contains(word);
}

// Words that are keywords only where a declaration or statement needs them;
// elsewhere they are ordinary names (a variable called record).
bool isContextualWord(QStringView word) {
    static const QSet<QStringView> words = {u"var",     u"record",  u"yield", u"sealed",
                                            u"permits", u"module",  u"open",  u"exports",
                                            u"requires", u"opens",  u"uses",  u"provides",
                                            u"with",    u"to",      u"transitive"};
    return words.contains(word);
}

bool isLiteralWord(QStringView word) {
    return word == u"true" || word == u"false" || word == u"null";
}

bool isIdentifierStart(QChar c) { return c.isLetter() || c == u'_' || c == u'$'; }
bool isIdentifierPart(QChar c) { return c.isLetterOrNumber() || c == u'_' || c == u'$'; }

class LineScanner {
public:
    LineScanner(QStringView line, JavaLineState state) : _line(line), _state(state) {}

    JavaLineTokens run() {
        if (_state == JavaLineState::BlockComment) finishBlockComment(0);
        if (_state == JavaLineState::TextBlock) finishTextBlock(0);
        while (_at < size()) scanCode();
        return JavaLineTokens{std::move(_spans), _state};
    }

private:
    int size() const { return static_cast<int>(_line.size()); }
    QChar at(int i) const { return i < size() ? _line[i] : QChar(); }
    bool startsWith(int i, QStringView text) const { return _line.mid(i).startsWith(text); }

    void add(int start, int end, JavaToken kind) {
        if (end > start) _spans.push_back(JavaTokenSpan{start, end - start, kind});
        _at = end;
    }

    void finishBlockComment(int start) {
        const qsizetype close = _line.indexOf(u"*/", _at);
        if (close < 0) {
            add(start, size(), JavaToken::Comment);
            _state = JavaLineState::BlockComment;
            return;
        }
        add(start, static_cast<int>(close) + 2, JavaToken::Comment);
        _state = JavaLineState::Code;
    }

    void finishTextBlock(int start) {
        for (int i = _at; i < size(); ++i) {
            if (at(i) == u'\\') {
                ++i;
            } else if (startsWith(i, u"\"\"\"")) {
                add(start, i + 3, JavaToken::String);
                _state = JavaLineState::Code;
                return;
            }
        }
        add(start, size(), JavaToken::String);
        _state = JavaLineState::TextBlock;
    }

    void finishQuoted(int start, QChar quote) {
        int i = start + 1;
        while (i < size() && at(i) != quote) i += at(i) == u'\\' ? 2 : 1;
        add(start, qMin(i + 1, size()), JavaToken::String);
    }

    // Digits, letters of bases and suffixes, separators, points and the sign of an exponent.
    void finishNumber(int start) {
        const bool hex = at(start) == u'0' && (at(start + 1) == u'x' || at(start + 1) == u'X');
        int i = start;
        while (i < size()) {
            const QChar c = at(i);
            const QChar previous = i > start ? at(i - 1) : QChar();
            const bool exponentSign = (c == u'+' || c == u'-') &&
                (hex ? (previous == u'p' || previous == u'P') : (previous == u'e' || previous == u'E'));
            if (!c.isLetterOrNumber() && c != u'_' && c != u'.' && !exponentSign) break;
            ++i;
        }
        add(start, i, JavaToken::Literal);
    }

    int wordEnd(int start) const {
        int i = start;
        while (i < size() && isIdentifierPart(at(i))) ++i;
        return i;
    }

    // A contextual word is taken as a keyword when a name, a literal or a
    // brace follows it, as in "record Point(", "var x", "yield 0", "sealed interface".
    bool contextualKeywordAt(int end) const {
        int i = end;
        while (i < size() && at(i).isSpace()) ++i;
        if (i == end || i >= size()) return false;
        const QChar next = at(i);
        return isIdentifierStart(next) || next.isDigit() || next == u'"' || next == u'\'' ||
               next == u'@';
    }

    void finishWord(int start) {
        const int end = wordEnd(start);
        const QStringView word = _line.mid(start, end - start);
        if (word == u"non" && startsWith(end, u"-sealed") && !isIdentifierPart(at(end + 7))) {
            add(start, end + 7, JavaToken::Keyword);
        } else if (isReservedWord(word)) {
            add(start, end, JavaToken::Keyword);
        } else if (isLiteralWord(word)) {
            add(start, end, JavaToken::Literal);
        } else if (isContextualWord(word) && contextualKeywordAt(end)) {
            add(start, end, JavaToken::Keyword);
        } else {
            _at = end;
        }
    }

    // "@Name", "@a.b.Name"; "@interface" declares an annotation type.
    void finishAnnotation(int start) {
        int end = wordEnd(start + 1);
        if (_line.mid(start + 1, end - start - 1) == u"interface") {
            add(start, end, JavaToken::Keyword);
            return;
        }
        while (at(end) == u'.' && isIdentifierStart(at(end + 1))) end = wordEnd(end + 1);
        add(start, end, JavaToken::Annotation);
    }

    void scanCode() {
        const int start = _at;
        const QChar c = at(start);
        if (startsWith(start, u"//")) {
            add(start, size(), JavaToken::Comment);
        } else if (startsWith(start, u"/*")) {
            _at = start + 2;
            finishBlockComment(start);
        } else if (startsWith(start, u"\"\"\"")) {
            _at = start + 3;
            finishTextBlock(start);
        } else if (c == u'"' || c == u'\'') {
            finishQuoted(start, c);
        } else if (c == u'@' && isIdentifierStart(at(start + 1))) {
            finishAnnotation(start);
        } else if (c.isDigit() || (c == u'.' && at(start + 1).isDigit())) {
            finishNumber(start);
        } else if (isIdentifierStart(c)) {
            finishWord(start);
        } else {
            _at = start + 1;
        }
    }

    QStringView _line;
    JavaLineState _state;
    int _at = 0;
    std::vector<JavaTokenSpan> _spans;
};

}

JavaLineTokens tokenizeJavaLine(QStringView line, JavaLineState startState) {
    return LineScanner(line, startState).run();
}

}
}
}
