#include "body/Printer.h"

#include "body/Captures.h"
#include "body/Failure.h"
#include "body/OuterNames.h"
#include "print/Literals.h"

namespace jad::body {

namespace {

// By length first: this runs for every operand printed.
int binaryPrecedence(const std::string& op) {
    if (op.size() == 1) {
        switch (op[0]) {
        case '*': case '/': case '%': return 12;
        case '+': case '-': return 11;
        case '<': case '>': return 9;
        case '&': return 7;
        case '^': return 6;
        case '|': return 5;
        default: return 1;
        }
    }
    if (op == "<<" || op == ">>" || op == ">>>") return 10;
    if (op == "<=" || op == ">=") return 9;
    if (op == "==" || op == "!=") return 8;
    if (op == "&&") return 4;
    if (op == "||") return 3;
    return 1;
}

bool isString(const Expr& e) { return e.type.dimensions == 0 && e.type.base == 'L' && e.type.className == "java/lang/String"; }


}  // namespace

int ExprPrinter::precedence(const Expr& e) {
    switch (e.kind) {
    case ExprKind::Literal:
        if ((e.literal.tag == 'I' || e.literal.tag == 'J') && e.literal.integer < 0 && e.type.base != 'C') return 13;
        if ((e.literal.tag == 'F' || e.literal.tag == 'D') && (e.literal.real < 0 || e.literal.real != e.literal.real ||
                                                             e.literal.real - e.literal.real != 0)) return 13;
        return 15;
    case ExprKind::PostIncrement: return 14;
    case ExprKind::PreIncrement: case ExprKind::Unary: case ExprKind::Cast: return 13;
    case ExprKind::Binary: return binaryPrecedence(e.op);
    case ExprKind::Concat: return e.args.size() > 1 || !isString(*e.args[0]) ? 11 : precedence(*e.args[0]);
    case ExprKind::InstanceOf: return 9;
    case ExprKind::Conditional: return 2;
    case ExprKind::Assign: case ExprKind::CompoundAssign: return 1;
    case ExprKind::Compare: return 15;
    default: return 15;
    }
}

std::string ExprPrinter::print(const Expr& e, int minPrecedence) const {
    std::string t = text(e);
    int p = precedence(e);
    // a literal split into pieces is a sum
    const int split = _c.options.splitLiteralsAt;
    if (e.kind == ExprKind::Literal && e.literal.tag == 'S' && split > 0 &&
        (e.literal.text.size() > static_cast<size_t>(split) || t.find("\" + \"") != std::string::npos)) p = 11;
    return p < minPrecedence ? "(" + t + ")" : t;
}

std::string ExprPrinter::typeName(const JavaType& type) const { return _c.types.typeName(type); }

std::string ExprPrinter::classOrArrayName(const std::string& name) const {
    return typeName(typeOfClassName(name));
}

std::string ExprPrinter::literal(const Expr& e) const {
    const LiteralValue& v = e.literal;
    switch (v.tag) {
    case 'S': return stringLiteral(v.text, _c.options.splitLiteralsAt);
    case 'F': return floatLiteral(static_cast<float>(v.real));
    case 'D': return doubleLiteral(v.real);
    case 'J': return longLiteral(v.integer);
    default: break;
    }
    if (e.type.base == 'Z') return v.integer ? "true" : "false";
    if (e.type.base == 'C' && v.integer >= 0 && v.integer <= 0xffff) return charLiteral(static_cast<char16_t>(v.integer));
    return intLiteral(static_cast<int32_t>(v.integer));
}

std::string ExprPrinter::text(const Expr& e) const {
    switch (e.kind) {
    case ExprKind::Literal: return literal(e);
    case ExprKind::Null: return "null";
    case ExprKind::This: return _c.thisName;
    case ExprKind::Local: return e.var->name;
    case ExprKind::Field: return field(e);
    case ExprKind::ArrayElement: {
        const Expr& array = *e.args[0];
        const bool creation = array.kind == ExprKind::NewArray || array.kind == ExprKind::ArrayInit;
        return (creation ? "(" + text(array) + ")" : print(array, 15)) + "[" + print(*e.args[1]) + "]";
    }
    case ExprKind::ArrayLength: {
        const Expr& array = *e.args[0];
        const bool creation = array.kind == ExprKind::NewArray || array.kind == ExprKind::ArrayInit;
        return (creation ? "(" + text(array) + ")" : print(array, 15)) + ".length";
    }
    case ExprKind::Invoke: return invoke(e);
    case ExprKind::New:
        if (auto qualified = qualifiedCreation(e, _c, *this, arguments(e, 1))) return *qualified;
        if (auto anonymous = anonymousCreation(e, _c, *this)) return *anonymous;
        return "new " + typeName(e.type) + "(" + arguments(e, 0) + ")";
    case ExprKind::NewArray: return newArray(e);
    case ExprKind::ArrayInit: return arrayInit(e, false);
    case ExprKind::Unary: {
        std::string operand = print(*e.args[0], 13);
        if (!operand.empty() && (operand[0] == '-' || operand[0] == '+') && (e.op == "-" || e.op == "+")) {
            operand = "(" + operand + ")";
        }
        return e.op + operand;
    }
    case ExprKind::Binary: {
        const int p = binaryPrecedence(e.op);
        return print(*e.args[0], p) + " " + e.op + " " + print(*e.args[1], p + 1);
    }
    case ExprKind::Compare:
        if (e.op != "lcmp") throw Unsupported{"floating comparison used as a value"};
        return "Long.compare(" + print(*e.args[0]) + ", " + print(*e.args[1]) + ")";
    case ExprKind::Cast: {
        const bool primitive = !e.type.isReference();
        std::string operand = print(*e.args[0], primitive ? 13 : 14);
        return "(" + typeName(e.type) + ")" + operand;
    }
    case ExprKind::InstanceOf: return print(*e.args[0], 10) + " instanceof " + classOrArrayName(e.owner);
    case ExprKind::Assign: {
        const Expr& target = *e.args[0];
        // a final field is assigned by its simple name
        const bool ownStatic = target.kind == ExprKind::Field && target.isStatic && target.owner == _c.owner.thisClass &&
                               !_c.localNames.count(target.name);
        return (ownStatic ? target.name : print(target, 15)) + " = " + print(*e.args[1], 1);
    }
    case ExprKind::CompoundAssign: return print(*e.args[0], 15) + " " + e.op + "= " + print(*e.args[1], 1);
    case ExprKind::PreIncrement: return e.op + print(*e.args[0], 15);
    case ExprKind::PostIncrement: return print(*e.args[0], 15) + e.op;
    case ExprKind::Conditional:
        return print(*e.args[0], 3) + " ? " + print(*e.args[1], 2) + " : " + print(*e.args[2], 2);
    case ExprKind::ClassLiteral: return classLiteral(e);
    case ExprKind::Concat: return concat(e);
    case ExprKind::Caught: throw Unsupported{"caught exception outside its handler"};
    case ExprKind::Uninitialized: throw Unsupported{"object used before its constructor ran"};
    case ExprKind::Lambda: return lambdaText(e, _c, *this);
    }
    return std::string();
}

std::string ExprPrinter::field(const Expr& e) const {
    // Inside a lambda's class the interface's own members would hide the
    // enclosing class's, so those are named in full there.
    if (e.isStatic) {
        if (e.owner == _c.owner.thisClass && !_c.localNames.count(e.name) && !_c.qualifyStatics && !_c.inLambda) return e.name;
        return _c.types.className(e.owner) + "." + e.name;
    }
    const std::string outerThis = outerThisText(e, _c);
    if (!outerThis.empty()) return outerThis;
    const Expr& receiver = *e.args[0];
    if (receiver.kind == ExprKind::This && !_c.localNames.count(e.name) && !_c.inLambda) return e.name;
    if (auto qualifier = outerMemberQualifier(receiver, e.name, false, _c)) return *qualifier + e.name;
    return print(receiver, 15) + "." + e.name;
}

std::string ExprPrinter::arguments(const Expr& e, size_t from) const {
    std::string out;
    for (size_t i = from; i < e.args.size(); ++i) {
        if (i > from) out += ", ";
        out += print(*e.args[i], 1);
    }
    return out;
}

std::string ExprPrinter::invoke(const Expr& e) const {
    if (e.name == "<init>") {
        return std::string(e.owner == _c.owner.thisClass ? "this" : "super") + "(" + arguments(e, 1) + ")";
    }
    if (e.isStatic) {
        const std::string qualifier = e.owner == _c.owner.thisClass && !_c.inLambda ? std::string() : _c.types.className(e.owner) + ".";
        return qualifier + e.name + "(" + arguments(e, 0) + ")";
    }
    if (e.invoke == InvokeKind::Super) {
        if (_c.inLambda) throw Unsupported{"super call inside a lambda"};
        return "super." + e.name + "(" + arguments(e, 1) + ")";
    }
    const Expr& receiver = *e.args[0];
    const bool creation = receiver.kind == ExprKind::NewArray || receiver.kind == ExprKind::ArrayInit;
    std::string target = receiver.kind == ExprKind::This ? (_c.inLambda ? _c.thisName + "." : std::string())
                         : creation ? "(" + text(receiver) + ")." : print(receiver, 15) + ".";
    if (auto qualifier = outerMemberQualifier(receiver, e.name, true, _c)) target = *qualifier;
    return target + e.name + "(" + arguments(e, 1) + ")";
}

std::string ExprPrinter::newArray(const Expr& e) const {
    JavaType element = e.type;
    element.dimensions = 0;
    std::string out = "new " + typeName(element);
    for (const ExprPtr& size : e.args) out += "[" + print(*size) + "]";
    for (int i = static_cast<int>(e.args.size()); i < e.type.dimensions; ++i) out += "[]";
    return out;
}

std::string ExprPrinter::arrayInit(const Expr& e, bool nested) const {
    std::string out = nested ? "{" : "new " + typeName(e.type) + "{";
    for (size_t i = 0; i < e.args.size(); ++i) {
        if (i > 0) out += ", ";
        const bool nestedInit = e.args[i]->kind == ExprKind::ArrayInit && e.type.dimensions > 1;
        out += nestedInit ? arrayInit(*e.args[i], true) : print(*e.args[i], 1);
    }
    return out + "}";
}

std::string ExprPrinter::concat(const Expr& e) const {
    std::string out;
    bool stringSoFar = false;
    for (size_t i = 0; i < e.args.size(); ++i) {
        const Expr& piece = *e.args[i];
        const bool leftmost = out.empty();
        if (leftmost && !isString(piece) && !(i + 1 < e.args.size() && isString(*e.args[i + 1]))) {
            out = "\"\"";
            stringSoFar = true;
        }
        if (!out.empty()) out += " + ";
        out += print(piece, out.empty() ? 11 : 12);
        stringSoFar = stringSoFar || isString(piece);
    }
    if (e.args.empty()) return "\"\"";
    if (!stringSoFar) out = "\"\" + " + out;
    return out;
}

std::string ExprPrinter::classLiteral(const Expr& e) const {
    JavaType type = typeOfClassName(e.owner);
    if (!type.isArray()) return typeName(type) + ".class";
    // The dialect has no array class literals; an empty array yields the same Class.
    JavaType element = type;
    element.dimensions = 0;
    std::string out = "new " + typeName(element) + "[0]";
    for (int i = 1; i < type.dimensions; ++i) out += "[]";
    return "(" + out + ").getClass()";
}

}  // namespace jad::body
