#include "body/printer/Printer.h"

#include <algorithm>
#include <string_view>

#include "body/ir/Failure.h"
#include "body/printer/AnonymousCreation.h"
#include "body/printer/ModernLambda.h"
#include "body/printer/OuterNames.h"
#include "print/GenericText.h"
#include "print/Literals.h"

namespace jad::body {

namespace {

// By length first: this runs for every operand printed. Views compare
// without measuring the literal each time.
int binaryPrecedence(std::string_view op) {
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
    using namespace std::string_view_literals;
    if (op == "<<"sv || op == ">>"sv || op == ">>>"sv) return 10;
    if (op == "<="sv || op == ">="sv) return 9;
    if (op == "=="sv || op == "!="sv) return 8;
    if (op == "&&"sv) return 4;
    if (op == "||"sv) return 3;
    return 1;
}

bool isString(const Expr& e) { return e.type.dimensions == 0 && e.type.base == 'L' && e.type.className == "java/lang/String"; }

bool isArrayCreation(const Expr& e) { return e.kind == ExprKind::NewArray || e.kind == ExprKind::ArrayInit; }

// javac creates an enum's constants passing their name and ordinal first.
bool createsEnumConstant(const Expr& e, const PrintContext& c) {
    if (!c.enumConstantTails || e.args.size() < 2) return false;
    const Expr& name = *e.args[0];
    const Expr& ordinal = *e.args[1];
    return name.kind == ExprKind::Literal && name.literal.tag == 'S' && ordinal.kind == ExprKind::Literal &&
           ordinal.literal.tag == 'I' && ordinal.type.base == 'I';
}

// How many of a `this(...)` call's first arguments pass on the hidden
// parameters, all of them in order or none.
size_t passedHiddenParameters(const Expr& call, const PrintContext& c) {
    const std::vector<const Var*>& hidden = c.hiddenParameters;
    if (hidden.empty() || call.args.size() < hidden.size() + 1) return 0;
    for (size_t i = 0; i < hidden.size(); ++i) {
        const Expr& argument = *call.args[i + 1];
        if (argument.kind != ExprKind::Local || argument.var.get() != hidden[i]) return 0;
    }
    return hidden.size();
}


}  // namespace

int ExprPrinter::precedence(const Expr& e) {
    switch (e.kind) {
    case ExprKind::Literal:
        if ((e.literal.tag == 'I' || e.literal.tag == 'J') && e.literal.integer < 0 && e.type.base != 'C') return 13;
        if ((e.literal.tag == 'F' || e.literal.tag == 'D') && (e.literal.real < 0 || e.literal.real != e.literal.real ||
                                                             e.literal.real - e.literal.real != 0)) return 13;
        return 15;
    case ExprKind::PostIncrement: return 14;
    case ExprKind::PreIncrement: case ExprKind::Unary: case ExprKind::Cast: case ExprKind::Switch: return 13;
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
    std::string out;
    write(e, minPrecedence, out);
    return out;
}

void ExprPrinter::write(const Expr& e, int minPrecedence, std::string& out) const {
    if (e.kind == ExprKind::Lambda && _c.options.modern) {
        if (auto lambda = modernLambdaText(e, _c, *this)) {
            // Only an argument, an assigned or returned value, a cast's or a
            // conditional's operand can be a lambda without parentheses.
            if (minPrecedence > 1) {
                out += '(' + *lambda + ')';
            } else {
                out += *lambda;
            }
            return;
        }
    }
    int p = precedence(e);
    // a literal split into pieces is a sum
    const int split = _c.options.splitLiteralsAt;
    if (e.kind == ExprKind::Literal && e.literal.tag == 'S') {
        const std::string t = literal(e);
        if ((split > 0 && e.literal.text.size() > static_cast<size_t>(split)) || t.find("\" + \"") != std::string::npos) p = 11;
        // a lone surrogate is a (char) term of its own: `("a" + (char)55296).length()`
        if (t.find(" + (char)") != std::string::npos) p = 11;
        if (p < minPrecedence) {
            out += '(';
            out += t;
            out += ')';
        } else {
            out += t;
        }
        return;
    }
    const bool parenthesised = p < minPrecedence;
    if (parenthesised) out += '(';
    text(e, out);
    if (parenthesised) out += ')';
}

std::string ExprPrinter::typeName(const JavaType& type) const { return _c.types.typeName(type); }

std::string ExprPrinter::varTypeName(const Var& var) const {
    if (_c.options.modern && var.generic) return genericTypeName(*var.generic, _c.types);
    return typeName(var.type);
}

// `R(int x, Q(var a))`; a total binding of a generic component is `var`.
std::string ExprPrinter::recordPattern(const RecordPattern& pattern) const {
    std::string out = typeName(objectType(pattern.recordClass)) + "(";
    for (size_t i = 0; i < pattern.parts.size(); ++i) {
        const RecordPattern::Part& part = pattern.parts[i];
        if (i) out += ", ";
        if (part.nested) {
            out += recordPattern(*part.nested);
            continue;
        }
        out += part.inferred ? std::string("var") : typeName(part.binding->type);
        out += ' ';
        out += part.binding->name;
    }
    return out + ")";
}

void ExprPrinter::cast(const Expr& e, std::string& out) const {
    // the accessor calls it stands for are no longer guarded as javac guards them
    if (e.pattern) throw Unsupported{"record pattern left outside a case label"};
    const Expr& operand = *e.args[0];
    const bool primitive = !e.type.isReference();
    if (_c.options.modern && e.generic) {
        out += '(';
        out += genericTypeName(*e.generic, _c.types);
        out += ')';
        return write(operand, 14, out);
    }
    // A checkcast javac added for a generic value whose type, as printed,
    // is the cast's already.
    const bool typedValue = operand.kind == ExprKind::Invoke || operand.kind == ExprKind::Field ||
                            operand.kind == ExprKind::ArrayElement || operand.kind == ExprKind::Local;
    if (_c.options.modern && !primitive && typedValue && sameType(operand.type, e.type)) return write(operand, 13, out);
    out += '(';
    out += typeName(e.type);
    out += ')';
    write(operand, primitive ? 13 : 14, out);
}

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

void ExprPrinter::text(const Expr& e, std::string& out) const {
    switch (e.kind) {
    case ExprKind::Literal: out += literal(e); return;
    case ExprKind::Null: out += "null"; return;
    case ExprKind::This: return thisText(out);
    case ExprKind::Local: out += e.var->name; return;
    case ExprKind::Field: return field(e, out);
    case ExprKind::ArrayElement: case ExprKind::ArrayLength: return arrayAccess(e, out);
    case ExprKind::Invoke: return invoke(e, out);
    case ExprKind::New: return creation(e, out);
    case ExprKind::NewArray: return newArray(e, out);
    case ExprKind::ArrayInit: return arrayInit(e, false, out);
    case ExprKind::Unary: return unary(e, out);
    case ExprKind::Cast: return cast(e, out);
    case ExprKind::Binary: case ExprKind::Compare: case ExprKind::InstanceOf: case ExprKind::Assign:
    case ExprKind::CompoundAssign: case ExprKind::PreIncrement: case ExprKind::PostIncrement:
    case ExprKind::Conditional:
        return operation(e, out);
    case ExprKind::ClassLiteral: out += classLiteral(e); return;
    case ExprKind::Concat: out += concat(e); return;
    case ExprKind::Caught: throw Unsupported{"caught exception outside its handler"};
    case ExprKind::Uninitialized: throw Unsupported{"object used before its constructor ran"};
    case ExprKind::Lambda: out += lambdaText(e, _c, *this); return;
    case ExprKind::Switch: out += switchExpressionText(e, _c); return;
    }
}

void ExprPrinter::arrayAccess(const Expr& e, std::string& out) const {
    arrayOperand(*e.args[0], out);
    if (e.kind == ExprKind::ArrayLength) {
        out += ".length";
        return;
    }
    out += '[';
    write(*e.args[1], 0, out);
    out += ']';
}

void ExprPrinter::writeAssignment(const Expr& assign, std::string& out, size_t* valueAt) const {
    const Expr& target = *assign.args[0];
    // a final field is assigned by its simple name
    const bool ownStatic = target.kind == ExprKind::Field && target.isStatic && target.owner == _c.owner.thisClass &&
                           !_c.localNames.count(target.name);
    if (ownStatic) out += target.name;
    else write(target, 15, out);
    out += " = ";
    if (valueAt) *valueAt = out.size();
    if (storesGeneric(target, *assign.args[1], out)) return write(*assign.args[1], 14, out);
    return write(*assign.args[1], 1, out);
}

// Assignments and increments.
void ExprPrinter::assignment(const Expr& e, std::string& out) const {
    switch (e.kind) {
    case ExprKind::Assign: return writeAssignment(e, out);
    case ExprKind::CompoundAssign:
        write(*e.args[0], 15, out);
        out += ' ';
        out += e.op;
        out += "= ";
        return write(*e.args[1], 1, out);
    case ExprKind::PreIncrement:
        out += e.op;
        return write(*e.args[0], 15, out);
    case ExprKind::PostIncrement:
        write(*e.args[0], 15, out);
        out += e.op;
        return;
    default: return;
    }
}

// Operators and the conditional.
void ExprPrinter::operation(const Expr& e, std::string& out) const {
    switch (e.kind) {
    case ExprKind::Binary: {
        const int p = binaryPrecedence(e.op);
        write(*e.args[0], p, out);
        out += ' ';
        out += e.op;
        out += ' ';
        write(*e.args[1], p + 1, out);
        return;
    }
    case ExprKind::Compare:
        if (e.op != "lcmp") throw Unsupported{"floating comparison used as a value"};
        out += "Long.compare(";
        write(*e.args[0], 0, out);
        out += ", ";
        write(*e.args[1], 0, out);
        out += ')';
        return;
    case ExprKind::InstanceOf: {
        // A pattern (-m) names its variable; its type is the variable's.
        const std::string type = e.pattern ? recordPattern(*e.pattern)
                                 : e.var   ? varTypeName(*e.var)
                                           : classOrArrayName(e.owner);
        write(*e.args[0], 10, out);
        out += " instanceof ";
        out += type;
        if (e.var) {
            out += ' ';
            out += e.var->name;
        }
        return;
    }
    case ExprKind::Assign: case ExprKind::CompoundAssign: case ExprKind::PreIncrement: case ExprKind::PostIncrement:
        return assignment(e, out);
    case ExprKind::Conditional:
        write(*e.args[0], 3, out);
        out += " ? ";
        write(*e.args[1], 2, out);
        out += " : ";
        return write(*e.args[2], 2, out);
    default: return;
    }
}

// An array creation is parenthesised before `[i]` or `.length`.
void ExprPrinter::arrayOperand(const Expr& array, std::string& out) const {
    if (!isArrayCreation(array)) return write(array, 15, out);
    out += '(';
    text(array, out);
    out += ')';
}

void ExprPrinter::unary(const Expr& e, std::string& out) const {
    out += e.op;
    const size_t start = out.size();
    write(*e.args[0], 13, out);
    // `- -x`, not `--x`
    const bool startsWithSign = out.size() > start && (out[start] == '-' || out[start] == '+');
    if (startsWithSign && (e.op == "-" || e.op == "+")) {
        out.insert(start, 1, '(');
        out += ')';
    }
}

void ExprPrinter::creation(const Expr& e, std::string& out) const {
    // The arguments after the first are printed once: the qualified form
    // takes them, and the plain form reuses them (an enum constant's
    // declaration those after the ordinal).
    const bool constant = createsEnumConstant(e, _c);
    const std::string rest = constant ? arguments(e, 2) : std::string();
    std::string later;
    if (constant) later = print(*e.args[1], 1) + (e.args.size() > 2 ? ", " + rest : std::string());
    else later = arguments(e, 1);
    if (auto qualified = qualifiedCreation(e, _c, *this, later)) {
        out += *qualified;
        return;
    }
    std::string tail;
    if (auto anonymous = anonymousCreation(e, _c, *this, constant ? &tail : nullptr)) {
        if (!tail.empty()) (*_c.enumConstantTails)[&e] = tail;
        out += *anonymous;
        return;
    }
    if (constant && e.owner == _c.owner.thisClass) {
        (*_c.enumConstantTails)[&e] = e.args.size() > 2 ? "(" + rest + ")" : std::string();
    }
    out += "new ";
    out += typeName(e.type);
    if (_c.options.modern && e.op == "<>") out += "<>";
    out += '(';
    if (!e.args.empty()) write(*e.args[0], 1, out);
    if (e.args.size() > 1) {
        out += ", ";
        out += later;
    }
    out += ')';
}

void ExprPrinter::thisText(std::string& out) const {
    if (_c.thisName.empty()) throw Unsupported{"lambda refers to an enclosing anonymous instance"};
    out += _c.thisName;
}

void ExprPrinter::field(const Expr& e, std::string& out) const {
    // Inside a lambda's class the interface's own members would hide the
    // enclosing class's, so those are named in full there.
    if (e.isStatic) {
        if (e.owner == _c.owner.thisClass && !_c.localNames.count(e.name) && !_c.qualifyStatics && !_c.inLambda) {
            out += e.name;
            return;
        }
        out += _c.types.className(e.owner);
        out += '.';
        out += e.name;
        return;
    }
    const std::string outerThis = outerThisText(e, _c);
    if (!outerThis.empty()) {
        out += outerThis;
        return;
    }
    if (e.op == "super") {
        out += "super.";
        out += e.name;
        return;
    }
    const Expr& receiver = *e.args[0];
    if (receiver.kind == ExprKind::This && !_c.localNames.count(e.name) &&
        (!_c.inLambda || lambdaClassesLack(e.name, false, _c))) {
        out += e.name;
        return;
    }
    if (auto qualifier = outerMemberQualifier(receiver, e.name, false, _c)) {
        out += *qualifier;
        out += e.name;
        return;
    }
    write(receiver, 15, out);
    out += '.';
    out += e.name;
}

void ExprPrinter::arguments(const Expr& e, size_t from, std::string& out) const {
    for (size_t i = from; i < e.args.size(); ++i) {
        if (i > from) out += ", ";
        write(*e.args[i], 1, out);
    }
}

std::string ExprPrinter::arguments(const Expr& e, size_t from) const {
    std::string out;
    arguments(e, from, out);
    return out;
}

void ExprPrinter::invoke(const Expr& e, std::string& out) const {
    // Source cannot call these; a switch on them that is left is not printable.
    if (e.owner == "java/lang/runtime/SwitchBootstraps") throw Unsupported{"invokedynamic " + e.name + " (unknown call site)"};
    size_t from = 1;  // the receiver is no argument
    if (e.name == "<init>") {
        const bool own = e.owner == _c.owner.thisClass;
        out += own ? "this(" : "super(";
        if (own) from += passedHiddenParameters(e, _c);
    } else if (e.isStatic) {
        if (e.owner != _c.owner.thisClass || _c.inLambda) {
            out += _c.types.className(e.owner);
            out += '.';
        }
        out += e.name;
        out += '(';
        arguments(e, 0, out);
        out += ')';
        return;
    } else if (e.invoke == InvokeKind::Super) {
        if (_c.inLambda) throw Unsupported{"super call inside a lambda"};
        // A default method of a direct superinterface: `I.super.m()`; plain
        // `super.m()` would reach the superclass's method of that name. (The
        // classic dialect has no default methods to call.)
        const auto& interfaces = _c.owner.interfaces;
        if (_c.options.modern && e.owner != _c.owner.superClass && std::find(interfaces.begin(), interfaces.end(), e.owner) != interfaces.end()) {
            out += _c.types.className(e.owner);
            out += '.';
        }
        out += "super.";
        out += e.name;
        out += '(';
    } else {
        const Expr& receiver = *e.args[0];
        // Asked first: an enclosing instance the simple name reaches needs
        // no name, and an anonymous one has none.
        if (auto qualifier = outerMemberQualifier(receiver, e.name, true, _c)) {
            out += *qualifier;
        } else if (receiver.kind != ExprKind::This) {
            arrayOperand(receiver, out);
            out += '.';
        } else if (_c.inLambda && !lambdaClassesLack(e.name, true, _c)) {
            thisText(out);
            out += '.';
        }
        out += e.name;
        out += '(';
    }
    arguments(e, from, out);
    out += ')';
}

void ExprPrinter::newArray(const Expr& e, std::string& out) const {
    JavaType element = e.type;
    element.dimensions = 0;
    out += "new ";
    out += typeName(element);
    for (const ExprPtr& size : e.args) {
        out += '[';
        write(*size, 0, out);
        out += ']';
    }
    for (int i = static_cast<int>(e.args.size()); i < e.type.dimensions; ++i) out += "[]";
}

void ExprPrinter::arrayInit(const Expr& e, bool nested, std::string& out) const {
    if (nested) {
        out += '{';
    } else {
        out += "new ";
        out += typeName(e.type);
        out += '{';
    }
    for (size_t i = 0; i < e.args.size(); ++i) {
        if (i > 0) out += ", ";
        const bool nestedInit = e.args[i]->kind == ExprKind::ArrayInit && e.type.dimensions > 1;
        if (nestedInit) arrayInit(*e.args[i], true, out);
        else write(*e.args[i], 1, out);
    }
    out += '}';
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
    if (!type.isArray() || _c.options.modern) return typeName(type) + ".class";
    // The dialect has no array class literals; an empty array yields the same Class.
    JavaType element = type;
    element.dimensions = 0;
    std::string out = "new " + typeName(element) + "[0]";
    for (int i = 1; i < type.dimensions; ++i) out += "[]";
    return "(" + out + ").getClass()";
}

}  // namespace jad::body

namespace jad::body {

// The modern dialect's cast of a value stored in one of the class's own
// fields of a generic type; false when it takes none.
bool ExprPrinter::storesGeneric(const Expr& target, const Expr& value, std::string& out) const {
    if (!_c.castsFieldStores || target.kind != ExprKind::Field || target.owner != _c.owner.thisClass) return false;
    if (!_c.fieldCasts) _c.fieldCasts = genericFieldCasts(_c.owner, _c.types, _c.options);
    auto found = _c.fieldCasts->find(target.name);
    if (found == _c.fieldCasts->end() || !takesCast(found->second, value)) return false;
    out += found->second.text;
    return true;
}

}  // namespace jad::body
