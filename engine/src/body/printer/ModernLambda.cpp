#include "body/printer/ModernLambda.h"

#include <algorithm>
#include <map>

#include "body/generics/GenericTypes.h"
#include "body/ir/Failure.h"
#include "body/ir/Walk.h"
#include "body/printer/AnonymousCreation.h"
#include "body/structure/Declare.h"
#include "body/synthetic/ReceiverChecks.h"
#include "body/types/ClassLookup.h"
#include "body/types/Hierarchy.h"
#include "classfile/AccessFlags.h"
#include "classfile/Signature.h"

namespace jad::body {

namespace {

constexpr int kInvokeVirtual = 5, kInvokeStatic = 6, kInvokeSpecial = 7, kNewInvokeSpecial = 8, kInvokeInterface = 9;

bool isVoidType(const JavaType& t) { return t.base == 'V' && t.dimensions == 0; }

bool sameErased(const JavaType& a, const JavaType& b) {
    return a.base == b.base && a.dimensions == b.dimensions && a.className == b.className;
}

// Only where the parameter's erased type is the interface: one typed by a
// type variable gets its type from the receiver's or the call's type
// arguments, which the printed code may not have.
void placeArguments(Expr& call) {
    const bool hasReceiver = call.kind == ExprKind::Invoke && !call.isStatic;
    const auto type = methodTypeOf(call.descriptor);
    const size_t first = hasReceiver ? 1 : 0;
    if (!type || type->parameters.size() + first != call.args.size()) return;
    for (size_t i = first; i < call.args.size(); ++i) {
        Expr& arg = *call.args[i];
        if (arg.kind != ExprKind::Lambda || !sameErased(arg.type, type->parameters[i - first])) continue;
        LambdaSite& site = *arg.lambda;
        site.place = LambdaSite::Place::Argument;
        site.callOwner = call.owner;
        site.callName = call.kind == ExprKind::New ? "<init>" : call.name;
        site.callDescriptor = call.descriptor;
    }
}

void placeTyped(Expr& value, const JavaType& target, bool declared) {
    if (value.kind != ExprKind::Lambda || !sameErased(value.type, target)) return;
    value.lambda->place = declared ? LambdaSite::Place::Declared : LambdaSite::Place::Typed;
}

bool isOwnField(const Expr& target, const std::string& owner) {
    return target.kind == ExprKind::Field && target.owner == owner &&
           (target.isStatic || (!target.args.empty() && target.args[0]->kind == ExprKind::This));
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string out;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i) out += '\n';
        out += lines[i];
    }
    return out;
}

bool endsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

struct Types {
    std::vector<JavaType> params;
    JavaType result;
};

class ModernLambda {
public:
    ModernLambda(const Expr& e, const PrintContext& c, const ExprPrinter& p)
        : _e(e), _site(*e.lambda), _c(c), _p(p), _hierarchy(c.owner, c.unit) {}

    std::optional<std::string> run() {
        auto sam = methodTypeOf(_site.samDescriptor);
        auto impl = methodTypeOf(_site.implDescriptor);
        auto inst = methodTypeOf(_site.instantiatedDescriptor.empty() ? _site.samDescriptor : _site.instantiatedDescriptor);
        if (!sam || !impl || !inst || inst->parameters.size() != sam->parameters.size()) return std::nullopt;
        _sam = {sam->parameters, sam->returnType};
        _impl = {impl->parameters, impl->returnType};
        _inst = {inst->parameters, inst->returnType};
        if (!extraInterfaces()) return std::nullopt;
        if (synthetic()) return lambdaForm();
        if (auto reference = referenceForm()) return reference;
        return callingLambda();
    }

private:
    const ClassFile* findType(const std::string& name) const {
        if (name == _c.owner.thisClass) return &_c.owner;
        return _c.unit ? _c.unit->findType(name) : nullptr;
    }

    // Declares type parameters, or cannot be read.
    bool mayBeGeneric(const std::string& name) const {
        const ClassFile* f = findType(name);
        return !f || (!f->signature.empty() && f->signature[0] == '<');
    }

    // A type that source can write exactly as the erased descriptor says it:
    // no type arguments left out, no anonymous class.
    bool simpleType(const JavaType& t) const {
        if (t.base != 'L') return true;
        const ClassFile* f = findType(t.className);
        return f && !(f->signature.size() && f->signature[0] == '<') && !isAnonymousClassFile(*f);
    }

    // The erasures of the type variables in scope: the enclosing method's
    // and its classes'. A value of such an erased type may stand for the
    // variable, which the printed code, typed erased, cannot show.
    const std::set<std::string>& typeVariableErasures() const {
        if (_erasures) return *_erasures;
        std::set<std::string>& out = _erasures.emplace();
        auto add = [&](const std::vector<TypeParameter>& params) {
            for (const TypeParameter& t : params) {
                if (t.classBound) {
                    out.insert(t.classBound->kind == GenericType::Kind::Class ? t.classBound->className() : "?");
                } else if (!t.interfaceBounds.empty()) {
                    const GenericType& b = t.interfaceBounds[0];
                    out.insert(b.kind == GenericType::Kind::Class ? b.className() : "?");
                } else {
                    out.insert("java/lang/Object");
                }
            }
        };
        if (_c.method && !_c.method->signature.empty()) {
            if (auto sig = parseMethodSignature(_c.method->signature)) add(sig->typeParameters);
        }
        std::string cls = _c.owner.thisClass;
        for (int depth = 0; depth < 16 && !cls.empty(); ++depth) {
            const ClassFile* f = findType(cls);
            if (!f) {
                out.insert("?");
                break;
            }
            if (!f->signature.empty()) {
                if (auto sig = parseClassSignature(f->signature)) add(sig->typeParameters);
            }
            const size_t dollar = cls.rfind('$');
            cls = dollar == std::string::npos ? "" : cls.substr(0, dollar);
        }
        return out;
    }

    // A type an explicit parameter or a type argument can name as it is:
    // simple, and not what a type variable in scope erases to.
    bool nameableExactly(const JavaType& t) const {
        if (!simpleType(t)) return false;
        if (t.base != 'L') return true;
        const auto& erasures = typeVariableErasures();
        return !erasures.count(t.className) && !erasures.count("?");
    }

    // The interface method's generic signature, for asking whether it
    // mentions the interface's type variables: `known` false when that
    // cannot be read; no signature where it cannot mention any.
    struct SamSignature {
        bool known = false;
        std::optional<MethodSignature> signature;
    };

    SamSignature samSignature() const {
        const ClassFile* iface = findType(_e.owner);
        if (!iface) return {};
        if (iface->signature.empty() || iface->signature[0] != '<') return {true, std::nullopt};
        const Method* m = findMethod(*iface, _site.samName, _site.samDescriptor);
        if (!m) return {};
        if (m->signature.empty()) return {true, std::nullopt};
        auto sig = parseMethodSignature(m->signature);
        if (!sig) return {};
        return {true, std::move(sig)};
    }

    // The interface method's declared result mentions none of the
    // interface's type variables.
    bool fixedResult() const {
        if (!_sam.result.isReference()) return true;
        const SamSignature sam = samSignature();
        if (!sam.known || !sam.signature) return sam.known;
        const GenericType& result = sam.signature->result;
        return result.kind == GenericType::Kind::Class && !result.hasArguments();
    }

    // The interface method's declared parameters from `skip` on mention
    // none of the interface's type variables: no call can infer other types
    // for them.
    bool fixedParameters(size_t skip) const {
        const SamSignature sam = samSignature();
        if (!sam.known || !sam.signature) return sam.known;
        const std::vector<GenericType>& params = sam.signature->parameters;
        return std::none_of(params.begin() + static_cast<long>(std::min(skip, params.size())), params.end(),
                            [](const GenericType& p) { return mentionsVariable(p); });
    }

    // An argument whose parameters (from `skip` on: an unbound reference's
    // receiver names no method) the call may infer otherwise than the class
    // file has them: narrower than the synthetic method's (a source that
    // wrote `(Object o) ->` or a type argument), or as their erasure.
    bool argumentMayRetype(size_t skip = 0) const {
        return _site.place == LambdaSite::Place::Argument && !_site.contextTyped && _sam.params.size() > skip &&
               !fixedParameters(skip);
    }

    // Whether the values the body returns, typed as the erased code types
    // them, are sure to suit the interface's result where the context
    // gives its type arguments: a result of a fixed type, or an
    // instantiation by a class that no type variable in scope erases to.
    bool resultSuits() const {
        if (fixedResult()) return true;
        if (!_inst.result.isReference() || !simpleType(_inst.result)) return false;
        const std::string name = _inst.result.base == 'L' ? _inst.result.className : "";
        if (name.empty()) return true;
        return nameableExactly(_inst.result);
    }

    // Marker interfaces, and Serializable for a serializable lambda, that the
    // functional interface does not already extend: an intersection cast
    // must name them. False when one cannot be read.
    bool extraInterfaces() {
        std::vector<std::string> wanted = _site.markers;
        if (_site.serializable) wanted.push_back("java/io/Serializable");
        for (const std::string& name : wanted) {
            if (name.empty()) return false;
            if (!_hierarchy.isSubtype(_e.type, typeOfClassName(name))) _extras.push_back(name);
        }
        return true;
    }

    bool synthetic() const {
        if (_site.implOwner != _c.owner.thisClass || _site.implName.rfind("lambda$", 0) != 0) return false;
        const Method* m = findMethod(_c.owner, _site.implName, _site.implDescriptor);
        return m && m->code && (m->access & access::Synthetic);
    }

    // The interface with type arguments solved from the instantiated method
    // type, when the interface declares the method itself and every
    // argument is a type source writes without arguments of its own.
    std::optional<std::string> boundInterface() const {
        const ClassFile* iface = findType(_e.owner);
        if (!iface) return std::nullopt;
        const std::string name = _c.types.className(_e.owner);
        if (iface->signature.empty() || iface->signature[0] != '<') return name;
        const auto classSig = parseClassSignature(iface->signature);
        const Method* m = findMethod(*iface, _site.samName, _site.samDescriptor);
        if (!classSig || !m || m->signature.empty()) return std::nullopt;
        const auto sig = parseMethodSignature(m->signature);
        if (!sig || !sig->typeParameters.empty() || sig->parameters.size() != _inst.params.size()) return std::nullopt;
        std::map<std::string, JavaType> bound;
        auto bind = [&](const GenericType& g, const JavaType& t) {
            if (g.kind != GenericType::Kind::Variable) return true;
            if (g.dimensions != 0 || !t.isReference() || !simpleType(t)) return false;
            auto [it, added] = bound.emplace(g.variable, t);
            return added || sameErased(it->second, t);
        };
        for (size_t i = 0; i < _inst.params.size(); ++i) {
            if (!bind(sig->parameters[i], _inst.params[i])) return std::nullopt;
        }
        if (!isVoidType(_inst.result) && !bind(sig->result, _inst.result)) return std::nullopt;
        std::string out = name + "<";
        for (size_t i = 0; i < classSig->typeParameters.size(); ++i) {
            auto it = bound.find(classSig->typeParameters[i].name);
            if (it == bound.end()) return std::nullopt;
            out += (i ? ", " : "") + _p.typeName(it->second);
        }
        return out + ">";
    }

    // `(I<A, B>) `, `(I) ` raw when `rawIsExact` (the erased interface gives
    // the same parameter types), with the extra interfaces intersected.
    std::optional<std::string> castPrefix(bool rawIsExact, bool* bound = nullptr) const {
        std::optional<std::string> type = boundInterface();
        if (bound) *bound = type.has_value();
        if (!type && rawIsExact) type = _c.types.className(_e.owner);
        if (!type) return std::nullopt;
        std::string out = "(" + *type;
        for (const std::string& extra : _extras) out += " & " + _c.types.className(extra);
        return out + ") ";
    }

    // Where the context may type the lambda otherwise than the source did:
    // as no interface at all, as another overload's, or (a raw interface
    // when the code around it is printed erased) with other parameter types.
    bool needsCast(bool specialized) const {
        switch (_site.place) {
        case LambdaSite::Place::Declared: return !_extras.empty();
        case LambdaSite::Place::Typed: return !_extras.empty() || (specialized && mayBeGeneric(_e.owner));
        case LambdaSite::Place::Argument: return !_extras.empty() || callMayOverload();
        case LambdaSite::Place::Other: return true;
        }
        return true;
    }

    // The instantiated interface method takes other types than the erased one.
    bool specializedInterface() const {
        for (size_t i = 0; i < _sam.params.size(); ++i) {
            if (!sameType(_sam.params[i], _inst.params[i])) return true;
        }
        return false;
    }

    bool callMayOverload() const {
        return _hierarchy.mayOverload(_site.callOwner, _site.callName, _site.callDescriptor);
    }

    // ---- lambdas with a synthetic method ----

    std::optional<std::string> lambdaForm() {
        const Method& m = *findMethod(_c.owner, _site.implName, _site.implDescriptor);
        const bool instance = (m.access & access::Static) == 0;
        const size_t captured = _e.args.size();
        const size_t first = instance ? 1 : 0;
        if (instance && (captured == 0 || _e.args[0]->kind != ExprKind::This)) return std::nullopt;
        const size_t own = captured - first;
        if (own + _sam.params.size() != _impl.params.size()) return std::nullopt;
        std::set<std::string> visible = _c.localNames;
        if (_c.outerNames) visible.insert(_c.outerNames->begin(), _c.outerNames->end());
        std::set<std::string> taken = visible;
        std::vector<std::string> names;
        std::vector<std::shared_ptr<const GenericType>> capturedTypes;
        for (size_t i = first; i < captured; ++i) {
            const Expr& value = *_e.args[i];
            if (auto field = value.kind == ExprKind::Local ? std::nullopt : capturedFieldName(value, _c, _p)) {
                if (!taken.insert(*field).second) return std::nullopt;
                visible.insert(*field);
                names.push_back(*field);
                continue;
            }
            if (value.kind != ExprKind::Local || _c.notFinal.count(value.var.get())) return std::nullopt;
            if (!taken.insert(value.var->name).second && !visible.count(value.var->name)) return std::nullopt;
            names.push_back(value.var->name);
            capturedTypes.push_back(value.var->generic);
        }
        int slot = instance ? 1 : 0;
        for (size_t k = 0; k < own; ++k) slot += _impl.params[k].slots();
        std::vector<std::string> params;
        bool specialized = false, allSimple = true;
        for (size_t i = 0; i < _sam.params.size(); ++i) {
            const JavaType& want = _impl.params[own + i];
            // The source's name when the class file kept it; otherwise one
            // that hides nothing the body or an enclosing scope can see.
            const std::string& recorded = recordedParameterName(m, own + i, slot);
            slot += want.slots();
            std::string name = isValidIdentifier(recorded) && !taken.count(recorded) ? recorded
                                                                                     : freshName(localBaseName(want), taken);
            taken.insert(name);
            names.push_back(name);
            params.push_back(name);
            if (!sameType(want, _sam.params[i])) specialized = true;
            if (!nameableExactly(want)) allSimple = false;
        }
        bool bound = false;
        const std::vector<JavaType> types(_impl.params.begin() + static_cast<long>(own), _impl.params.end());
        auto head = lambdaHead(params, types, specialized, allSimple, bound);
        if (!head) return std::nullopt;
        LambdaBody body;
        try {
            BodyRequest request{_c.owner, m, _c.types, _c.options, names, _c.unit, &visible, nullptr, _c.method, &capturedTypes};
            // The interface's type arguments are known only from a cast
            // that writes them; otherwise its method returns the erased type.
            body = nestedBodies(_c).lambdaFormBody(request, _c, bound ? _inst.result : _sam.result);
        } catch (const Unsupported&) {
            return std::nullopt;
        }
        return *head + " -> " + bodyText(body);
    }

    // The cast and the parameter list: types written where the context
    // might give the parameters other types than the synthetic method's,
    // a cast where it might choose another interface (or none).
    std::optional<std::string> lambdaHead(const std::vector<std::string>& names, const std::vector<JavaType>& types, bool specialized,
                                          bool allSimple, bool& bound) const {
        std::string cast;
        bool explicitTypes = false;
        const bool needsCast = this->needsCast(specialized);
        if (needsCast) {
            auto prefix = castPrefix(!specialized, &bound);
            if (!prefix) return std::nullopt;
            cast = *prefix;
        } else if (_site.place == LambdaSite::Place::Argument && specialized) {
            // A raw receiver would give the parameters their erased types; a
            // call that types them as the synthetic method does needs no cast.
            if (_site.contextTyped && resultSuits()) {
                // `x -> ...` as it is
            } else if (auto prefix = castPrefix(false, &bound)) {
                cast = *prefix;
            } else if (allSimple) {
                explicitTypes = true;
            } else if (!_site.contextTyped) {
                return std::nullopt;
            }
        } else if (argumentMayRetype()) {
            // A bare lambda would take the parameter types the call infers.
            if (allSimple) {
                explicitTypes = true;
            } else if (auto prefix = castPrefix(false, &bound)) {
                cast = *prefix;
            } else {
                return std::nullopt;
            }
        }
        // A cast with type arguments types the result as the body does.
        if (!bound && !resultSuits()) return std::nullopt;
        std::string list;
        for (size_t i = 0; i < names.size(); ++i) {
            if (i) list += ", ";
            if (explicitTypes) list += _p.typeName(types[i]) + " ";
            list += names[i];
        }
        if (names.size() != 1 || explicitTypes) list = "(" + list + ")";
        return cast + list;
    }

    std::string bodyText(const LambdaBody& body) const {
        std::string text = joinLines(body.lines);
        if (body.shape == LambdaShape::Value && text.rfind("return ", 0) == 0 && endsWith(text, ";")) {
            return text.substr(7, text.size() - 8);
        }
        // A void lambda keeps its braces unless its one statement is a void
        // call: `-> s.f()` for an f returning a value could suit an interface
        // whose method returns it, and select another overload.
        if (body.shape == LambdaShape::VoidCall && body.lines.size() == 1 && endsWith(text, ";")) {
            return text.substr(0, text.size() - 1);
        }
        if (body.lines.empty()) return "{\n}";
        return "{" + indentLines(body.lines, "    ") + "\n}";
    }

    // ---- method references ----

    // The parameters that select among overloads of the method named (all
    // but an unbound receiver) are the erased interface's and the
    // instantiated one's alike, so any target type finds the same method.
    bool sameSelection(size_t skip) const {
        for (size_t i = 0; i < _impl.params.size(); ++i) {
            const size_t s = skip + i;
            if (s >= _sam.params.size()) return false;
            if (!sameType(_impl.params[i], _sam.params[s]) || !sameType(_impl.params[i], _inst.params[s])) return false;
        }
        return true;
    }

    std::optional<std::string> referenceForm() const {
        const size_t captured = _e.args.size();
        std::string text;
        size_t skip = 0;  // interface parameters that are not the method's arguments
        switch (_site.implKind) {
        case kInvokeStatic:
            if (captured != 0 || _impl.params.size() != _sam.params.size()) return std::nullopt;
            text = _c.types.className(_site.implOwner) + "::" + _site.implName;
            break;
        case kInvokeVirtual:
        case kInvokeInterface:
        case kInvokeSpecial:
            if (captured == 0) {
                if (_site.implKind == kInvokeSpecial || _impl.params.size() + 1 != _sam.params.size()) return std::nullopt;
                if (!_sam.params[0].isReference()) return std::nullopt;
                text = _c.types.className(_site.implOwner) + "::" + _site.implName;
                skip = 1;
            } else if (captured == 1) {
                if (_impl.params.size() != _sam.params.size()) return std::nullopt;
                auto receiver = boundReceiver();
                if (!receiver) return std::nullopt;
                text = *receiver + "::" + _site.implName;
            } else {
                return std::nullopt;
            }
            break;
        case kNewInvokeSpecial: {
            if (captured != 0 || _impl.params.size() != _sam.params.size()) return std::nullopt;
            const ClassFile* made = findType(_site.implOwner);
            if (made && isAnonymousClassFile(*made)) return std::nullopt;
            text = _c.types.className(_site.implOwner) + "::new";
            break;
        }
        default: return std::nullopt;
        }
        if (_site.implName == "<init>" && _site.implKind != kNewInvokeSpecial) return std::nullopt;
        if (!isVoidType(_sam.result) && isVoidType(_impl.result) && _site.implKind != kNewInvokeSpecial) return std::nullopt;
        const std::string method = _site.implKind == kNewInvokeSpecial ? "<init>" : _site.implName;
        // (As an argument, only where the call gives the same parameter types.)
        const bool exact = sameSelection(skip) && !argumentMayRetype(skip);
        // Another method of that name could suit the parameter types a
        // different target type gives.
        if (!exact && _hierarchy.mayOverload(_site.implOwner, method, _site.implDescriptor)) return std::nullopt;
        const bool specialized = specializedInterface();
        if (!needsCast(specialized)) {
            if (_site.place != LambdaSite::Place::Argument || !specialized) return text;
            // A raw receiver would give the parameters their erased types.
            auto prefix = castPrefix(false);
            return prefix ? *prefix + text : text;
        }
        auto prefix = castPrefix(!specialized && (exact || !_hierarchy.mayOverload(_site.implOwner, method, _site.implDescriptor)));
        if (!prefix) return std::nullopt;
        return *prefix + text;
    }

    // The lambda's parameter `s` passed where `want` is taken.
    std::string argumentText(const std::vector<std::string>& names, size_t s, const JavaType& want) const {
        if (sameType(want, _inst.params[s])) return names[s];
        return "(" + _p.typeName(want) + ") " + names[s];
    }

    // What the calling lambda calls, up to its argument list; `from`: the
    // first of the lambda's parameters the arguments take (the one before
    // is the receiver).
    std::optional<std::string> callTarget(const std::vector<std::string>& names, size_t& from) const {
        const size_t captured = _e.args.size();
        switch (_site.implKind) {
        case kInvokeStatic:
            if (captured != 0) return std::nullopt;
            return _c.types.className(_site.implOwner) + "." + _site.implName;
        case kNewInvokeSpecial: {
            const ClassFile* made = findType(_site.implOwner);
            if (captured != 0 || !made || isAnonymousClassFile(*made)) return std::nullopt;
            return "new " + _c.types.className(_site.implOwner);
        }
        case kInvokeVirtual:
        case kInvokeInterface:
        case kInvokeSpecial:
            if (captured == 1) {
                // Only `this` is the same object at every call and never null.
                if (_e.args[0]->kind != ExprKind::This) return std::nullopt;
                if (_site.implKind == kInvokeSpecial && _site.implOwner != _c.owner.thisClass) return std::nullopt;
                return (_c.inLambda ? _c.thisName : std::string("this")) + "." + _site.implName;
            }
            if (captured == 0 && _site.implKind != kInvokeSpecial && !_inst.params.empty() &&
                _inst.params[0].isReference()) {
                const std::string receiver = argumentText(names, 0, typeOfClassName(_site.implOwner));
                from = 1;
                return (receiver == names[0] ? receiver : "(" + receiver + ")") + "." + _site.implName;
            }
            return std::nullopt;
        default: return std::nullopt;
        }
    }

    // A method reference that `X::m` cannot say exactly (its parameter types
    // might select another overload) as the lambda calling the method, each
    // argument cast to the type the method takes.
    std::optional<std::string> callingLambda() const {
        std::set<std::string> taken = _c.localNames;
        if (_c.outerNames) taken.insert(_c.outerNames->begin(), _c.outerNames->end());
        std::vector<std::string> names;
        bool allSimple = true;
        for (const JavaType& t : _inst.params) {
            names.push_back(freshName(localBaseName(t), taken));
            taken.insert(names.back());
            if (!nameableExactly(t)) allSimple = false;
        }
        size_t from = 0;
        std::optional<std::string> target = callTarget(names, from);
        if (!target) return std::nullopt;
        std::string call = std::move(*target);
        if (_impl.params.size() + from != _inst.params.size()) return std::nullopt;
        if (_site.implName == "<init>" && _site.implKind != kNewInvokeSpecial) return std::nullopt;
        const bool returnsNothing = isVoidType(_impl.result) && _site.implKind != kNewInvokeSpecial;
        if (!isVoidType(_sam.result) && returnsNothing) return std::nullopt;
        call += "(";
        for (size_t i = 0; i < _impl.params.size(); ++i) {
            if (i) call += ", ";
            call += argumentText(names, from + i, _impl.params[i]);
        }
        call += ")";
        bool bound = false;
        auto head = lambdaHead(names, _inst.params, specializedInterface(), allSimple, bound);
        if (!head) return std::nullopt;
        // A void interface method: braces unless the call returns nothing,
        // as for a lambda's own body.
        if (isVoidType(_sam.result) && !returnsNothing) return *head + " -> {\n    " + call + ";\n}";
        return *head + " -> " + call;
    }

    // `expr::m` evaluates expr once, where the reference is made, and fails
    // there when it is null: what javac's check at the call site does.
    // Without that check only a receiver that cannot be null keeps the meaning.
    std::optional<std::string> boundReceiver() const {
        const Expr& receiver = *_e.args[0];
        if (receiver.kind == ExprKind::This) {
            if (_site.implKind == kInvokeSpecial && _site.implOwner != _c.owner.thisClass) return std::nullopt;
            return _c.inLambda ? _c.thisName : std::string("this");
        }
        if (_site.implKind == kInvokeSpecial) return std::nullopt;
        const bool nonNull = receiver.kind == ExprKind::New || (receiver.kind == ExprKind::Literal && receiver.literal.tag == 'S');
        if (_site.receiverCheck.empty() && !nonNull) return std::nullopt;
        if (receiver.kind == ExprKind::Lambda) return std::nullopt;
        return _p.print(receiver, 15);
    }

    const Expr& _e;
    const LambdaSite& _site;
    const PrintContext& _c;
    const ExprPrinter& _p;
    Hierarchy _hierarchy;
    Types _sam, _impl, _inst;
    std::vector<std::string> _extras;
    mutable std::optional<std::set<std::string>> _erasures;
};

// The value a statement only checks for null, its result dropped, as javac
// checks a bound reference's receiver: Objects.requireNonNull(x), x.getClass().
const Expr* checkedLocal(const Stmt& s, std::string& check) {
    if (s.kind != StmtKind::Expr || !s.declare.empty()) return nullptr;
    const Expr* value = receiverCheckedValue(s, check);
    return value && value->kind == ExprKind::Local && value->var ? value : nullptr;
}

// The bound reference on `var` in `s` that has no check of its own yet.
ExprPtr* boundReferenceOn(Stmt& s, const Var* var) {
    ExprPtr* found = nullptr;
    if (!s.expr) return nullptr;
    visitExprSlots(s.expr, [&](ExprPtr& e) {
        if (found || e->kind != ExprKind::Lambda || e->args.size() != 1 || !e->lambda->receiverCheck.empty()) return;
        const int kind = e->lambda->implKind;
        const Expr& receiver = *e->args[0];
        if ((kind == kInvokeVirtual || kind == kInvokeInterface) && receiver.kind == ExprKind::Local &&
            receiver.var.get() == var) {
            found = &e;
        }
    });
    return found;
}

}  // namespace

void foldReceiverChecks(StmtList& body) {
    visitLists(body, [](StmtList& list) {
        for (size_t i = 0; i + 1 < list.size(); ++i) {
            std::string check;
            const Expr* value = checkedLocal(*list[i], check);
            if (!value) continue;
            ExprPtr* reference = boundReferenceOn(*list[i + 1], value->var.get());
            if (!reference) continue;
            auto copy = std::make_shared<Expr>(**reference);
            copy->lambda = std::make_shared<LambdaSite>(*(*reference)->lambda);
            copy->lambda->receiverCheck = check;
            *reference = copy;
            list.erase(list.begin() + static_cast<long>(i));
        }
    });
}

// javac's checkcasts after an intersection cast's lambda (to Serializable,
// to the interface): the printed cast says them, where one is needed.
bool isOwnTypeCast(const Expr& e) {
    if (e.kind != ExprKind::Cast || e.args.size() != 1 || e.args[0]->kind != ExprKind::Lambda || e.type.base != 'L') {
        return false;
    }
    const Expr& lambda = *e.args[0];
    const LambdaSite& site = *lambda.lambda;
    if (sameErased(e.type, lambda.type)) return true;
    if (site.serializable && e.type.className == "java/io/Serializable" && e.type.dimensions == 0) return true;
    for (const std::string& marker : site.markers) {
        if (e.type.className == marker && e.type.dimensions == 0) return true;
    }
    return false;
}

void placeLambdas(StmtList& body, const JavaType* returnType, bool returnDeclared, const std::string& owner) {
    if (!containsExpr(body, ExprKind::Lambda)) return;  // all it places
    visitAllExprs(body, [](ExprPtr& e) {
        if (isOwnTypeCast(*e)) {
            ExprPtr inner = e->args[0];
            e = inner;
        }
    });
    visitLists(body, [&](StmtList& list) {
        for (StmtPtr& s : list) {
            if (s->kind == StmtKind::Return && s->expr && returnType) placeTyped(*s->expr, *returnType, returnDeclared);
        }
    });
    visitAllExprs(body, [&](ExprPtr& e) {
        if (e->kind == ExprKind::Invoke || e->kind == ExprKind::New) placeArguments(*e);
        if (e->kind == ExprKind::Assign && e->args.size() == 2) {
            placeTyped(*e->args[1], e->args[0]->type, isOwnField(*e->args[0], owner));
        }
    });
}

LambdaShape lambdaShape(const StmtList& body) {
    if (body.size() != 1 || !body[0]->declare.empty() || !body[0]->expr) return LambdaShape::Block;
    const Stmt& s = *body[0];
    if (s.kind == StmtKind::Return) return LambdaShape::Value;
    if (s.kind == StmtKind::Expr && isVoidType(s.expr->type) && s.expr->kind == ExprKind::Invoke) return LambdaShape::VoidCall;
    return LambdaShape::Block;
}

std::optional<std::string> modernLambdaText(const Expr& e, const PrintContext& c, const ExprPrinter& p) {
    return ModernLambda(e, c, p).run();
}

}  // namespace jad::body
