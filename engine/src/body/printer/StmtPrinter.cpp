#include <algorithm>
#include <map>

#include "body/ir/Failure.h"
#include "body/printer/Printer.h"
#include "body/sugar/SwitchExpressions.h"
#include "print/Names.h"

namespace jad::body {

namespace {

class StmtPrinter {
public:
    explicit StmtPrinter(const PrintContext& c) : _c(c), _expr(c) {}

    std::vector<std::string> run(const StmtList& body, std::vector<PrintedStatement>* layout) {
        if (!layout) {
            list(body, 0);
        } else {
            for (const StmtPtr& s : body) {
                layout->push_back({_lines.size()});
                _top = &layout->back();
                stmt(*s, 0);
                _top = nullptr;
            }
        }
        return std::move(_lines);
    }

    // A switch expression, its lines joined by line breaks: the statement
    // printing it continues them at its own depth.
    std::string valueSwitch(const Expr& x) {
        const Stmt& s = *x.block;
        _yieldOf = x.var.get();
        line(0, "switch (" + selector(s) + ") {");
        // Arrow cases do not fall through: the default reads best last.
        for (const SwitchArm& arm : s.arms) {
            if (x.op != "->") colonArm(s, arm, 1);
            else if (!arm.isDefault) arrowArm(s, arm, *x.var, 1);
        }
        for (const SwitchArm& arm : s.arms) {
            if (x.op == "->" && arm.isDefault) arrowArm(s, arm, *x.var, 1);
        }
        line(0, "}");
        std::string text;
        for (size_t i = 0; i < _lines.size(); ++i) {
            if (i) text += '\n';
            text += _lines[i];
        }
        return text;
    }

private:
    static std::string indent(int depth) { return std::string(static_cast<size_t>(depth) * 4, ' '); }

    // `text` already starts with the indent of `depth`; text with line
    // breaks (an anonymous class) continues at the same depth.
    void emit(std::string&& text, int depth) {
        size_t nl = text.find('\n');
        if (nl == std::string::npos) {
            _lines.push_back(std::move(text));
            return;
        }
        const std::string prefix = indent(depth);
        _lines.push_back(text.substr(0, nl));
        for (size_t start = nl + 1;; start = nl + 1) {
            nl = text.find('\n', start);
            _lines.push_back(prefix + text.substr(start, nl == std::string::npos ? std::string::npos : nl - start));
            if (nl == std::string::npos) return;
        }
    }

    void line(int depth, const std::string& text, const char* suffix = "") {
        std::string indented = indent(depth);
        indented += text;
        indented += suffix;
        emit(std::move(indented), depth);
    }

    // A top-level assignment statement: its layout says where the value starts.
    void assignmentLine(const Expr& assign) {
        std::string text;
        _top->valueLine = _lines.size();
        _expr.writeAssignment(assign, text, &_top->valueColumn);
        text += ";";
        emit(std::move(text), 0);
    }

    // `prefix`, the expression, `suffix`, as one line.
    void exprLine(int depth, const char* prefix, const Expr& x, const char* suffix) {
        std::string text = indent(depth);
        text += prefix;
        _expr.write(x, 0, text);
        text += suffix;
        emit(std::move(text), depth);
    }

    std::string e(const ExprPtr& x, int precedence = 0) const { return _expr.print(*x, precedence); }

    bool castsReturn(const Expr& x) const { return takesCast(_c.returnCast, x); }

    void castReturn(int depth, const Expr& x) {
        std::string text = indent(depth);
        text += "return ";
        text += _c.returnCast.text;
        _expr.write(x, 14, text);
        text += ";";
        emit(std::move(text), depth);
    }

    // Labels are numbered in the order they are printed, so a method's text
    // never depends on how the passes numbered them.
    std::string labelName(int label) const {
        auto numbered = _labelNumbers.find(label);
        if (numbered == _labelNumbers.end()) numbered = _labelNumbers.emplace(label, ++_c.labelsTaken).first;
        return "label" + std::to_string(numbered->second);
    }

    void list(const StmtList& stmts, int depth) {
        for (size_t i = 0; i < stmts.size(); ++i) {
            const Expr* given = _yieldOf ? yieldedValue(*stmts[i], _yieldOf) : nullptr;
            if (!given) {
                stmt(*stmts[i], depth);
                continue;
            }
            // a switch expression's value: given, the break after it goes
            declarations(*stmts[i], depth);
            exprLine(depth, "yield ", *given, ";");
            if (i + 1 < stmts.size() && stmts[i + 1]->kind == StmtKind::Break) ++i;
        }
    }

    // A declaration merged into its first assignment, appended to `out`: `int i = 0`.
    bool declaresHere(const Stmt& s, std::string& out) const {
        if (s.declare.size() != 1 || s.kind != StmtKind::Expr || s.expr->kind != ExprKind::Assign) return false;
        const Expr& target = *s.expr->args[0];
        if (target.kind != ExprKind::Local || target.var != s.declare[0]) return false;
        // The value is printed before the type is named, as it always was.
        const std::string value = e(s.expr->args[1], 1);
        out += _expr.varTypeName(*target.var);
        out += ' ';
        out += target.var->name;
        out += " = ";
        out += value;
        return true;
    }

    void declarations(const Stmt& s, int depth) {
        for (const VarPtr& v : s.declare) line(depth, _expr.varTypeName(*v) + " " + v->name + ";");
    }

    bool needsBraces(const StmtList& body) const {
        if (_c.options.braces || body.size() != 1) return true;
        const Stmt& only = *body[0];
        if (!only.declare.empty() || only.label) return true;
        switch (only.kind) {
        case StmtKind::Expr: case StmtKind::Return: case StmtKind::Throw: case StmtKind::Break: case StmtKind::Continue:
        case StmtKind::Assert:
            return false;
        default: return true;
        }
    }

    // `head {` body `}` or, without braces, head and one indented statement.
    void block(int depth, const std::string& head, const StmtList& body, const std::string& tail = "}") {
        if (needsBraces(body)) {
            line(depth, head, " {");
            list(body, depth + 1);
            line(depth, tail);
        } else {
            line(depth, head);
            list(body, depth + 1);
            if (tail != "}") line(depth, tail.substr(2));
        }
    }

    std::string labelPrefix(const Stmt& s) const {
        return s.label && s.explicitLabel ? labelName(s.label) + ": " : std::string();
    }

    void stmt(const Stmt& s, int depth) {
        std::string merged = indent(depth);
        if (declaresHere(s, merged)) {
            merged += ';';
            emit(std::move(merged), depth);
            return;
        }
        declarations(s, depth);
        switch (s.kind) {
        case StmtKind::Expr:
            if (_top && depth == 0 && s.expr->kind == ExprKind::Assign) return assignmentLine(*s.expr);
            return exprLine(depth, "", *s.expr, ";");
        case StmtKind::Return:
            if (s.expr && castsReturn(*s.expr)) return castReturn(depth, *s.expr);
            return s.expr ? exprLine(depth, "return ", *s.expr, ";") : line(depth, "return;");
        case StmtKind::Throw: return exprLine(depth, "throw ", *s.expr, ";");
        case StmtKind::Break: return line(depth, s.explicitLabel ? "break " + labelName(s.target) + ";" : "break;");
        case StmtKind::Continue:
            return line(depth, s.explicitLabel ? "continue " + labelName(s.target) + ";" : "continue;");
        case StmtKind::If: return ifChain(s, depth, "if (" + e(s.expr) + ")");
        case StmtKind::Block:
            line(depth, labelPrefix(s) + "{");
            list(s.body, depth + 1);
            return line(depth, "}");
        case StmtKind::Loop: return loop(s, depth);
        case StmtKind::Switch: return switchStmt(s, depth);
        case StmtKind::Try: return tryStmt(s, depth);
        case StmtKind::Synchronized:
            exprLine(depth, "synchronized (", *s.expr, ") {");
            list(s.body, depth + 1);
            return line(depth, "}");
        case StmtKind::Monitor: throw Unsupported{"monitor operations outside a synchronized block"};
        case StmtKind::Assert: return assertStmt(s, depth);
        case StmtKind::LocalClass:
            for (const std::string& text : s.text) {
                if (text.empty()) _lines.emplace_back();
                else line(depth, text);
            }
            return;
        }
    }

    void assertStmt(const Stmt& s, int depth) {
        std::string text = indent(depth);
        text += "assert ";
        _expr.write(*s.expr, 0, text);
        if (!s.body.empty()) {
            text += " : ";
            _expr.write(*s.body[0]->expr, 0, text);
        }
        text += ";";
        emit(std::move(text), depth);
    }

    void ifChain(const Stmt& s, int depth, const std::string& head) {
        const bool braces = needsBraces(s.body) || (!s.elseBody.empty() && needsBraces(s.elseBody));
        if (!braces) {
            block(depth, head, s.body);
            if (s.elseBody.empty()) return;
            return block(depth, "else", s.elseBody);
        }
        line(depth, head, " {");
        list(s.body, depth + 1);
        if (s.elseBody.empty()) return line(depth, "}");
        const Stmt& only = *s.elseBody[0];
        if (s.elseBody.size() == 1 && only.kind == StmtKind::If && only.declare.empty()) {
            _lines.back() += "";
            return elseIf(only, depth);
        }
        line(depth, "} else {");
        list(s.elseBody, depth + 1);
        line(depth, "}");
    }

    void elseIf(const Stmt& s, int depth) {
        exprLine(depth, "} else if (", *s.expr, ") {");
        list(s.body, depth + 1);
        if (s.elseBody.empty()) return line(depth, "}");
        const Stmt& only = *s.elseBody[0];
        if (s.elseBody.size() == 1 && only.kind == StmtKind::If && only.declare.empty()) return elseIf(only, depth);
        line(depth, "} else {");
        list(s.elseBody, depth + 1);
        line(depth, "}");
    }

    std::string forPart(const StmtList& stmts) const {
        std::string out;
        for (const StmtPtr& s : stmts) {
            if (!out.empty()) out += ", ";
            if (!declaresHere(*s, out)) _expr.write(*s->expr, 0, out);
        }
        return out;
    }

    void loop(const Stmt& s, int depth) {
        const std::string label = labelPrefix(s);
        switch (s.loop) {
        case LoopKind::Infinite: return block(depth, label + "while (true)", s.body);
        case LoopKind::While: return block(depth, label + "while (" + e(s.expr) + ")", s.body);
        case LoopKind::DoWhile:
            line(depth, label + "do {");
            list(s.body, depth + 1);
            return exprLine(depth, "} while (", *s.expr, ");");
        case LoopKind::For:
            return block(depth, label + "for (" + forPart(s.init) + "; " + (s.expr ? e(s.expr) : "") + "; " +
                                    forPart(s.update) + ")", s.body);
        case LoopKind::ForEach:
            return block(depth, label + "for (" + _expr.varTypeName(*s.each) + " " + s.each->name + " : " + e(s.expr) +
                                    ")", s.body);
        }
    }

    void switchStmt(const Stmt& s, int depth) {
        line(depth, labelPrefix(s) + "switch (" + selector(s) + ") {");
        for (const SwitchArm& arm : s.arms) {
            if (armWithNull(arm)) {
                line(depth, "case null, default:");
            } else {
                for (size_t i = 0; i < arm.keys.size(); ++i) line(depth, "case " + caseText(s, arm, i) + guardText(arm) + ":");
                if (printsDefault(arm)) line(depth, "default:");
            }
            list(arm.body, depth + 1);
        }
        line(depth, "}");
    }

    // A default arm that is the last, unconditional pattern prints as that pattern.
    static bool printsDefault(const SwitchArm& arm) {
        if (!arm.isDefault) return false;
        for (const ExprPtr& label : arm.labels) {
            if (label->kind == ExprKind::Local) return false;
        }
        return true;
    }

    // `case null, default`: the one way to join null to the default.
    static bool armWithNull(const SwitchArm& arm) {
        if (!arm.isDefault) return false;
        for (const ExprPtr& label : arm.labels) {
            if (label->kind == ExprKind::Null) return true;
        }
        return false;
    }

    std::string guardText(const SwitchArm& arm) const { return arm.guard ? " when " + e(arm.guard) : std::string(); }

    std::string caseText(const Stmt& s, const SwitchArm& arm, size_t i) const {
        return i < arm.labels.size() ? namedLabel(*arm.labels[i]) : caseLabel(s, arm.keys[i]);
    }

    // The arm without the break that leaves the switch: an expression's
    // arms leave it by giving the value.
    static StmtList armStatements(const SwitchArm& arm) {
        StmtList body = arm.body;
        if (!body.empty() && body.back()->kind == StmtKind::Break) body.pop_back();
        return body;
    }

    // `case A, B -> value;`, `-> throw ...;` or `-> { ... yield value; }`;
    // a default arm's own keys go with it.
    void arrowArm(const Stmt& s, const SwitchArm& arm, const Var& value, int depth) {
        std::string head;
        if (armWithNull(arm)) {
            head = "case null, default";
        } else if (printsDefault(arm)) {
            head = "default";
        } else {
            for (size_t i = 0; i < arm.keys.size(); ++i) head += (i ? ", " : "case ") + caseText(s, arm, i);
            head += guardText(arm);
        }
        head += " -> ";
        const StmtList body = armStatements(arm);
        if (body.size() == 1 && body[0]->declare.empty()) {
            if (const Expr* given = yieldedValue(*body[0], &value)) return exprLine(depth, head.c_str(), *given, ";");
            if (body[0]->kind == StmtKind::Throw) return exprLine(depth, (head + "throw ").c_str(), *body[0]->expr, ";");
        }
        line(depth, head + "{");
        list(body, depth + 1);
        line(depth, "}");
    }

    void colonArm(const Stmt& s, const SwitchArm& arm, int depth) {
        if (armWithNull(arm)) {
            line(depth, "case null, default:");
        } else {
            for (size_t i = 0; i < arm.keys.size(); ++i) line(depth, "case " + caseText(s, arm, i) + guardText(arm) + ":");
            if (printsDefault(arm)) line(depth, "default:");
        }
        list(armStatements(arm), depth + 1);
    }

    // javac rejects a case label that the selector's type cannot hold (a
    // char switched on with a case 65536 or -1): such a selector was widened
    // in the source, and is again.
    std::string selector(const Stmt& s) const {
        const JavaType& type = s.expr->type;
        if (type.dimensions != 0 || (type.base != 'B' && type.base != 'S' && type.base != 'C')) return e(s.expr);
        const int32_t low = type.base == 'B' ? -128 : type.base == 'S' ? -32768 : 0;
        const int32_t high = type.base == 'B' ? 127 : type.base == 'S' ? 32767 : 0xffff;
        for (const SwitchArm& arm : s.arms) {
            if (!arm.labels.empty()) continue;
            for (int32_t key : arm.keys) {
                if (key < low || key > high) return _expr.print(*makeCast(JavaType{'I', 0, {}}, s.expr));
            }
        }
        return e(s.expr);
    }

    // An enum switch names its constants unqualified: Java allows no other form.
    // A pattern's binding prints as its declaration.
    std::string namedLabel(const Expr& label) const {
        if (label.kind == ExprKind::Local) return _expr.typeName(label.var->type) + " " + label.var->name;
        if (label.kind == ExprKind::Cast && label.pattern) return _expr.recordPattern(*label.pattern);
        return label.kind == ExprKind::Field && label.op != "qualified" ? displayName(label.name) : _expr.print(label);
    }

    std::string caseLabel(const Stmt& s, int32_t key) const {
        auto literal = makeIntLiteral(key);
        if (s.expr->type.base == 'C' && s.expr->type.dimensions == 0 && key >= 0 && key <= 0xffff) literal->type = s.expr->type;
        return _expr.print(*literal);
    }

    // `try (R r = x; S t = y)`: the resource declarations of the modern dialect.
    std::string tryHead(const Stmt& s) const {
        if (s.init.empty()) return "try {";
        std::string head = "try (";
        for (size_t i = 0; i < s.init.size(); ++i) {
            if (i) head += "; ";
            if (!declaresHere(*s.init[i], head)) throw Unsupported{"a resource without its declaration"};
        }
        return head + ") {";
    }

    void tryStmt(const Stmt& s, int depth) {
        line(depth, tryHead(s));
        list(s.body, depth + 1);
        for (const CatchClause& c : s.catches) {
            std::string types;
            for (size_t i = 0; i < std::max<size_t>(c.types.size(), 1); ++i) {
                if (i) types += " | ";
                types += _c.types.className(c.types.empty() || c.types[i].empty() ? "java/lang/Throwable" : c.types[i]);
            }
            line(depth, "} catch (" + types + " " + c.var->name + ") {");
            list(c.body, depth + 1);
        }
        // a finally body that compiled to nothing still makes a try
        if (!s.finallyBody.empty() || (s.catches.empty() && s.init.empty())) {
            line(depth, "} finally {");
            list(s.finallyBody, depth + 1);
        }
        line(depth, "}");
    }

    const PrintContext& _c;
    ExprPrinter _expr;
    std::vector<std::string> _lines;
    mutable std::map<int, int> _labelNumbers;  // label id -> the number printed
    const Var* _yieldOf = nullptr;  // printing a switch expression: its value's temporary
    PrintedStatement* _top = nullptr;  // printing a top-level statement whose layout is asked for
};

}  // namespace

std::vector<std::string> printStatements(const StmtList& body, const PrintContext& context,
                                         std::vector<PrintedStatement>* layout) {
    return StmtPrinter(context).run(body, layout);
}

std::string switchExpressionText(const Expr& e, const PrintContext& context) {
    return StmtPrinter(context).valueSwitch(e);
}

}  // namespace jad::body
