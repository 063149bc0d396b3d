// Lambdas and method references as anonymous classes: the dialect has no
// `->` or `::`, so each call site becomes a class implementing the
// functional interface, its method running the lambda's body.
#include <iterator>

#include "body/ir/Failure.h"
#include "body/printer/AnonymousCreation.h"
#include "body/printer/Printer.h"
#include "body/structure/Declare.h"
#include "body/types/ClassLookup.h"
#include "body/types/SamExceptions.h"
#include "classfile/AccessFlags.h"

namespace jad::body {

namespace {

constexpr int kInvokeVirtual = 5, kInvokeStatic = 6, kInvokeSpecial = 7, kNewInvokeSpecial = 8, kInvokeInterface = 9;

struct Signature {
    std::vector<JavaType> params;
    JavaType result;
};

class LambdaPrinter {
public:
    LambdaPrinter(const Expr& e, const PrintContext& c, const ExprPrinter& p) : _e(e), _site(*e.lambda), _c(c), _p(p) {}

    std::string run() {
        auto sam = methodTypeOf(_site.samDescriptor);
        auto impl = methodTypeOf(_site.implDescriptor);
        if (!sam || !impl) throw Unsupported{"malformed lambda descriptor"};
        _sam = {sam->parameters, sam->returnType};
        _impl = {impl->parameters, impl->returnType};
        _visible = _c.localNames;
        if (_c.outerNames) _visible.insert(_c.outerNames->begin(), _c.outerNames->end());
        _taken = _visible;
        std::vector<std::string> body;
        if (synthetic()) {
            body = syntheticBody();
        } else {
            for (const JavaType& t : _sam.params) _samNames.push_back(fresh(localBaseName(t)));
            body = referenceBody();
        }
        std::string head = "new " + _c.types.className(_e.owner) + "() {";
        std::string method = "public " + _p.typeName(_sam.result) + " " + _site.samName + "(";
        for (size_t i = 0; i < _sam.params.size(); ++i) {
            if (i) method += ", ";
            method += _p.typeName(_sam.params[i]) + " " + _samNames[i];
        }
        method += ")" + throwsClause() + " {";
        return head + receiverCheck() + "\n    " + method + indentLines(body, "        ") + "\n    }\n}";
    }

private:
    // An instance initializer runs when the class is instantiated, where the
    // reference was made, so the check fails at the same point.
    std::string receiverCheck() const {
        if (_site.receiverCheck.empty()) return "";
        const Expr& receiver = *_e.args[0];
        const std::string check = _site.receiverCheck == "getClass"
                                      ? _p.print(receiver, 15) + ".getClass();"
                                      : _c.types.className("java/util/Objects") + ".requireNonNull(" + _p.print(receiver) + ");";
        return "\n    {\n        " + check + "\n    }";
    }

    std::string throwsClause() const {
        std::string out;
        for (const std::string& type : samExceptions(_e.owner, _site.samName, _site.samDescriptor, _c.owner, _c.unit, _c.options.modern)) {
            out += (out.empty() ? " throws " : ", ") + _c.types.className(type);
        }
        return out;
    }

    bool synthetic() const {
        if (_site.implOwner != _c.owner.thisClass || _site.implName.rfind("lambda$", 0) != 0) return false;
        const Method* m = findMethod(_c.owner, _site.implName, _site.implDescriptor);
        return m && m->code;
    }

    bool isVoid(const JavaType& t) const { return t.base == 'V' && t.dimensions == 0; }

    std::string fresh(const std::string& base) {
        std::string name = freshName(base, _taken);
        _taken.insert(name);
        return name;
    }

    // The parameters of the synthetic method: captured values first, named
    // as the enclosing code names them, then the interface method's.
    std::vector<std::string> syntheticBody() {
        const Method& m = *findMethod(_c.owner, _site.implName, _site.implDescriptor);
        const bool instance = (m.access & access::Static) == 0;
        size_t captured = _e.args.size();
        size_t first = 0;
        if (instance) {
            if (captured == 0 || _e.args[0]->kind != ExprKind::This) throw Unsupported{"lambda on another object"};
            first = 1;
        }
        const size_t own = captured - first;
        if (own + _sam.params.size() != _impl.params.size()) throw Unsupported{"lambda arity differs from its interface"};
        std::vector<std::string> names;
        std::vector<std::shared_ptr<const GenericType>> capturedTypes;
        for (size_t i = first; i < captured; ++i) {
            const Expr& value = *_e.args[i];
            std::optional<std::string> field;
            if (value.kind != ExprKind::Local) field = capturedFieldName(value, _c, _p);
            if (value.kind != ExprKind::Local && !field) throw Unsupported{"lambda captures an expression"};
            const std::string& name = field ? *field : value.var->name;
            names.push_back(name);
            // A captured field of a local class: its declared type is not known here.
            capturedTypes.push_back(field ? nullptr : value.var->generic);
            _taken.insert(name);
            if (field) _visible.insert(name);
        }
        std::vector<std::string> prologue;
        int slot = instance ? 1 : 0;
        for (size_t k = 0; k < own; ++k) slot += _impl.params[k].slots();
        for (size_t i = 0; i < _sam.params.size(); ++i) {
            const JavaType& want = _impl.params[own + i];
            // The source's name when the class file kept it; otherwise one
            // that hides nothing the body can see.
            const std::string& recorded = recordedParameterName(m, own + i, slot);
            slot += want.slots();
            const bool usable = isValidIdentifier(recorded) && !_taken.count(recorded);
            std::string name = usable ? recorded : fresh(localBaseName(want));
            if (usable) _taken.insert(name);
            if (sameType(want, _sam.params[i])) {
                _samNames.push_back(name);
            } else {
                _samNames.push_back(fresh(localBaseName(_sam.params[i])));
                prologue.push_back(_p.typeName(want) + " " + name + " = (" + _p.typeName(want) + ")" + _samNames.back() + ";");
            }
            names.push_back(name);
        }
        _interfaces = _c.lambdaInterfaces;
        _interfaces.push_back(_e.owner);
        BodyRequest request{_c.owner, m, _c.types, _c.options, names, _c.unit, &_visible, &_interfaces,
                            _c.method, &capturedTypes};
        // Inside an anonymous class the lambda's `this` has no name to print:
        // the body names its members simply where that reaches them.
        const bool unnamed = instance && isAnonymousClassFile(_c.owner);
        std::vector<std::string> body =
            nestedBodies(_c).lambdaBody(request, !instance ? "this" : unnamed ? "" : _c.types.className(_c.owner.thisClass) + ".this");
        prologue.insert(prologue.end(), std::make_move_iterator(body.begin()), std::make_move_iterator(body.end()));
        return prologue;
    }

    // `this::m` names the enclosing instance; inside the anonymous class a
    // plain `this` would be the anonymous instance, whose own toString or
    // hashCode a call would find.
    std::string enclosingThis() const {
        if (isAnonymousClassFile(_c.owner)) throw Unsupported{"method reference to an enclosing anonymous instance"};
        return _c.types.className(_c.owner.thisClass) + ".this";
    }

    std::string argument(size_t index, const JavaType& want) const {
        const size_t captured = _e.args.size();
        if (index < captured) {
            const Expr& value = *_e.args[index];
            if (value.kind == ExprKind::This) return enclosingThis();
            if (!isPure(value)) throw Unsupported{"method reference bound to an expression with effects"};
            return _p.print(value, 13);
        }
        const size_t s = index - captured;
        if (s >= _sam.params.size()) throw Unsupported{"method reference arity differs from its interface"};
        if (sameType(want, _sam.params[s]) || !_sam.params[s].isReference()) return _samNames[s];
        return "(" + _p.typeName(want) + ")" + _samNames[s];
    }

    std::vector<std::string> referenceBody() {
        const size_t total = _e.args.size() + _sam.params.size();
        std::string call;
        size_t next = 0;
        auto args = [&](size_t from) {
            std::string out;
            for (size_t i = 0; i < _impl.params.size(); ++i) {
                if (i) out += ", ";
                out += argument(from + i, _impl.params[i]);
            }
            next = from + _impl.params.size();
            return out;
        };
        switch (_site.implKind) {
        case kInvokeStatic:
            call = _c.types.className(_site.implOwner) + "." + _site.implName + "(" + args(0) + ")";
            break;
        case kInvokeVirtual:
        case kInvokeInterface: {
            const JavaType owner = typeOfClassName(_site.implOwner);
            std::string receiver = argument(0, owner);
            if (receiver.find('(') == 0 || receiver.find(' ') != std::string::npos) receiver = "(" + receiver + ")";
            call = receiver + "." + _site.implName + "(" + args(1) + ")";
            break;
        }
        case kNewInvokeSpecial:
            call = "new " + _c.types.className(_site.implOwner) + "(" + args(0) + ")";
            break;
        case kInvokeSpecial:
            if (_site.implOwner != _c.owner.thisClass || _e.args.empty() || _e.args[0]->kind != ExprKind::This) {
                throw Unsupported{"super method reference"};
            }
            call = enclosingThis() + "." + _site.implName + "(" + args(1) + ")";
            break;
        default: throw Unsupported{"method handle kind " + std::to_string(_site.implKind)};
        }
        if (next != total) throw Unsupported{"method reference arity differs from its interface"};
        if (isVoid(_sam.result)) return {call + ";"};
        if (isVoid(_impl.result) && _site.implKind != kNewInvokeSpecial) throw Unsupported{"method reference returns nothing"};
        return {"return " + call + ";"};
    }

    const Expr& _e;
    const LambdaSite& _site;
    const PrintContext& _c;
    const ExprPrinter& _p;
    Signature _sam, _impl;
    std::vector<std::string> _samNames;
    std::set<std::string> _visible;  // names of the enclosing scopes
    std::set<std::string> _taken;    // those and the names this class's method took
    std::vector<std::string> _interfaces;  // of the lambdas' classes around the body, this one's last
};

}  // namespace

std::string lambdaText(const Expr& e, const PrintContext& context, const ExprPrinter& printer) {
    return LambdaPrinter(e, context, printer).run();
}

std::string indentLines(const std::vector<std::string>& lines, const std::string& indent) {
    std::string out;
    for (const std::string& l : lines) {
        out += '\n';
        if (!l.empty()) {
            out += indent;
            out += l;
        }
    }
    return out;
}

const NestedBodies& nestedBodies(const PrintContext& context) {
    if (!context.nested) throw Unsupported{"lambda outside a method body"};
    return *context.nested;
}

}  // namespace jad::body
