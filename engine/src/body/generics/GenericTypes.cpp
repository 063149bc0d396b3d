#include "body/generics/GenericTypes.h"

#include <algorithm>
#include <functional>
#include <set>

#include "body/ir/Walk.h"
#include "body/types/ClassLookup.h"
#include "body/types/Hierarchy.h"
#include "body/types/OuterInstances.h"
#include "classfile/AccessFlags.h"
#include "classfile/Descriptor.h"
#include "print/GenericText.h"

namespace jad::body {

namespace {

// Beyond this a chain of supertypes is taken to be a malformed loop.
constexpr int MaxDepth = 24;
constexpr int MaxInferenceRounds = 3;

bool sameArgument(const TypeArgument& a, const TypeArgument& b) {
    if (a.kind != b.kind) return false;
    if (!a.type || !b.type) return !a.type && !b.type;
    return sameGeneric(*a.type, *b.type);
}

GenericType classType(const std::string& internalName, int dimensions = 0) {
    GenericType type;
    type.kind = GenericType::Kind::Class;
    type.parts.push_back({internalName, {}});
    type.dimensions = dimensions;
    return type;
}

GenericPtr share(GenericType type) { return std::make_shared<const GenericType>(std::move(type)); }

const TypeParameter* findParameter(const std::vector<TypeParameter>& parameters, const std::string& name) {
    for (const auto& parameter : parameters) {
        if (parameter.name == name) return &parameter;
    }
    return nullptr;
}

bool isVariableType(const GenericType& type) { return type.kind == GenericType::Kind::Variable; }

// The type names one of the method's own type variables anywhere.
bool namesOwnVariable(const GenericType& type, const MethodSignature& signature) {
    if (type.kind == GenericType::Kind::Variable) return findParameter(signature.typeParameters, type.variable) != nullptr;
    for (const auto& part : type.parts) {
        for (const auto& argument : part.arguments) {
            if (argument.type && namesOwnVariable(*argument.type, signature)) return true;
        }
    }
    return false;
}

bool isArrayClone(const Expr& e) {
    return e.kind == ExprKind::Invoke && e.name == "clone" && !e.isStatic && e.args.size() == 1 && e.args[0]->type.isArray();
}

// Worth printing: what the erased type cannot say.
bool saysMore(const GenericType& type) {
    return type.kind == GenericType::Kind::Variable || (type.kind == GenericType::Kind::Class && type.hasArguments());
}

// The bindings of a class's parameters to the type arguments of one step
// of a class type; false when the counts differ (a raw use).
bool bindParameters(const std::vector<TypeParameter>& parameters, const std::vector<TypeArgument>& arguments, Bindings& into) {
    if (parameters.size() != arguments.size()) return parameters.empty();
    for (size_t i = 0; i < parameters.size(); ++i) into[parameters[i].name] = arguments[i];
    return true;
}

bool substituteArguments(std::vector<TypeArgument>& arguments, const Bindings& bindings) {
    for (TypeArgument& argument : arguments) {
        if (!argument.type) continue;
        const GenericType& inner = *argument.type;
        if (inner.kind == GenericType::Kind::Variable && inner.dimensions == 0) {
            auto found = bindings.find(inner.variable);
            if (found == bindings.end()) return false;
            const TypeArgument& bound = found->second;
            // A wildcard inside a type argument is captured by javac, which
            // no declaration can name: `Map<?, ?>.entrySet()` is a set of
            // entries of captures, not a Set<Entry<?, ?>>.
            if (argument.kind == '=' && bound.kind == '=') {
                argument = bound;
            } else if (argument.kind != '=' && (bound.kind == '=' || bound.kind == argument.kind)) {
                argument.type = bound.type;
            } else {
                return false;  // `? extends` of a `? super`: no type says it
            }
            continue;
        }
        auto replaced = substitute(inner, bindings, Position::Result);
        if (!replaced) return false;
        argument.type = share(std::move(*replaced));
    }
    return true;
}

}  // namespace

bool sameGeneric(const GenericType& a, const GenericType& b) {
    if (a.kind != b.kind || a.dimensions != b.dimensions) return false;
    switch (a.kind) {
    case GenericType::Kind::Primitive: return a.primitive == b.primitive;
    case GenericType::Kind::Variable: return a.variable == b.variable;
    case GenericType::Kind::Class: break;
    }
    if (a.parts.size() != b.parts.size()) return false;
    for (size_t i = 0; i < a.parts.size(); ++i) {
        const ClassTypePart& x = a.parts[i];
        const ClassTypePart& y = b.parts[i];
        if (x.name != y.name || x.arguments.size() != y.arguments.size()) return false;
        for (size_t k = 0; k < x.arguments.size(); ++k) {
            if (!sameArgument(x.arguments[k], y.arguments[k])) return false;
        }
    }
    return true;
}

void collectVariables(const GenericType& type, std::set<std::string>& into) {
    if (type.kind == GenericType::Kind::Variable) into.insert(type.variable);
    for (const auto& part : type.parts) {
        for (const auto& argument : part.arguments) {
            if (argument.type) collectVariables(*argument.type, into);
        }
    }
}

bool mentionsVariable(const GenericType& type) {
    if (type.kind == GenericType::Kind::Variable) return true;
    for (const auto& part : type.parts) {
        for (const auto& argument : part.arguments) {
            if (argument.type && mentionsVariable(*argument.type)) return true;
        }
    }
    return false;
}

std::optional<GenericType> substitute(const GenericType& type, const Bindings& bindings, Position position) {
    if (type.kind == GenericType::Kind::Primitive) return type;
    if (type.kind == GenericType::Kind::Variable) {
        auto found = bindings.find(type.variable);
        if (found == bindings.end() || !found->second.type) return std::nullopt;
        const char kind = found->second.kind;
        const bool stands = kind == '=' || (kind == '+' && position == Position::Result) ||
                            (kind == '-' && position == Position::Parameter);
        if (!stands) return std::nullopt;
        GenericType result = *found->second.type;
        result.dimensions += type.dimensions;
        return result;
    }
    GenericType result = type;
    for (ClassTypePart& part : result.parts) {
        if (!substituteArguments(part.arguments, bindings)) return std::nullopt;
    }
    return result;
}

GenericTyper::GenericTyper(const ClassFile& owner, const Method& method, const Hierarchy& hierarchy,
                           const Method* enclosing)
    : _owner(owner), _method(method), _around(enclosing), _hierarchy(hierarchy) {
    if (!method.signature.empty()) _signature = cachedMethodSignature(method.signature);
    if (_signature) _scopes.push_back(&_signature->typeParameters);
    if (enclosing && enclosing != &method) {
        if (const MethodSignature* around = signatureOf(*enclosing)) {
            _scopes.push_back(&around->typeParameters);
        }
    }
    _thisType = share(ownType(owner));
    // The classes around: a member class that is not static, and a local or
    // anonymous class, see their type variables (and those of the method
    // around a local class).
    const ClassFile* current = &owner;
    for (int depth = 0; current && depth < MaxDepth; ++depth) {
        _enclosing.insert(current->thisClass);
        if (const ClassSignature* signature = classSignature(*current)) _scopes.push_back(&signature->typeParameters);
        const ClassFile* next = nullptr;
        for (const InnerClass& inner : current->innerClasses) {
            if (inner.innerClass != current->thisClass) continue;
            if (!inner.outerClass.empty() && !(inner.access & access::Static)) next = hierarchy.find(inner.outerClass);
        }
        if (!next && current->enclosingMethod) {
            next = hierarchy.find(current->enclosingMethod->className);
            if (next && !current->enclosingMethod->methodName.empty()) {
                for (const Method& m : next->methods) {
                    if (m.name != current->enclosingMethod->methodName ||
                        m.descriptor != current->enclosingMethod->methodDescriptor) continue;
                    if (const MethodSignature* signature = signatureOf(m)) {
                        _scopes.push_back(&signature->typeParameters);
                    }
                    if (m.access & access::Static) next = nullptr;
                }
            }
        }
        if (next == current) break;
        current = next;
    }
}

GenericType GenericTyper::ownType(const ClassFile& file) const {
    GenericType type = classType(file.thisClass);
    if (const ClassSignature* own = classSignature(file)) {
        for (const auto& parameter : own->typeParameters) {
            GenericType variable;
            variable.kind = GenericType::Kind::Variable;
            variable.variable = parameter.name;
            type.parts[0].arguments.push_back({'=', share(std::move(variable))});
        }
    }
    return type;
}

// A local class of the code being typed names that code's type variables
// as they are: its members' signatures use them undeclared.
bool GenericTyper::isLocalOfThisCode(const std::string& cls) const {
    const ClassFile* file = _hierarchy.find(cls);
    if (!file || !file->enclosingMethod || file->enclosingMethod->className != _owner.thisClass) return false;
    const EnclosingMethod& declared = *file->enclosingMethod;
    auto is = [&](const Method* m) {
        return m && declared.methodName == m->name && declared.methodDescriptor == m->descriptor;
    };
    return is(&_method) || is(_around);
}

void GenericTyper::bindEnclosingVariables(const std::string& cls, Bindings& into) const {
    if (!_enclosing.count(cls) && !isLocalOfThisCode(cls)) return;
    if (!_scopeBindings) {
        // The nearest declaration of a name binds it.
        Bindings own;
        for (const auto* scope : _scopes) {
            for (const TypeParameter& parameter : *scope) {
                if (own.count(parameter.name)) continue;
                GenericType variable;
                variable.kind = GenericType::Kind::Variable;
                variable.variable = parameter.name;
                own.emplace(parameter.name, TypeArgument{'=', share(std::move(variable))});
            }
        }
        _scopeBindings = std::move(own);
    }
    if (into.empty()) {
        into = *_scopeBindings;
        return;
    }
    for (const auto& binding : *_scopeBindings) into.emplace(binding);
}

const TypeParameter* GenericTyper::visibleParameter(const std::string& name) const {
    for (const auto* scope : _scopes) {
        if (const TypeParameter* found = findParameter(*scope, name)) return found;
    }
    return nullptr;
}

bool GenericTyper::declaresVariable(const ClassFile& file, const std::string& name) const {
    const ClassSignature* signature = classSignature(file);
    return signature && findParameter(signature->typeParameters, name) != nullptr;
}

bool GenericTyper::isGenericClass(const ClassFile& file) const {
    const ClassSignature* signature = classSignature(file);
    return signature && !signature->typeParameters.empty();
}

const ClassSignature* GenericTyper::classSignature(const ClassFile& file) const {
    if (file.signature.empty()) return nullptr;
    auto found = _classSignatures.find(&file.signature);
    if (found == _classSignatures.end()) {
        found = _classSignatures.emplace(&file.signature, cachedClassSignature(file.signature)).first;
    }
    return found->second.get();
}

const MethodSignature* GenericTyper::signatureOf(const Method& method) const {
    if (method.signature.empty()) return nullptr;
    auto found = _methodSignatures.find(&method.signature);
    if (found == _methodSignatures.end()) {
        found = _methodSignatures.emplace(&method.signature, cachedMethodSignature(method.signature)).first;
    }
    return found->second.get();
}

bool GenericTyper::inScope(const GenericType& type) const {
    if (type.kind == GenericType::Kind::Variable) return visibleParameter(type.variable) != nullptr;
    for (const auto& part : type.parts) {
        for (const auto& argument : part.arguments) {
            if (argument.type && !inScope(*argument.type)) return false;
        }
    }
    return true;
}

JavaType GenericTyper::erasureOf(const GenericType& type) const { return erasure(type, _scopes); }

const GenericType* GenericTyper::thrownVariable() const {
    if (!_signature) return nullptr;
    for (const GenericType& thrown : _signature->exceptions) {
        if (isVariableType(thrown) && inScope(thrown)) return &thrown;
    }
    return nullptr;
}

// `T extends RealFieldElement<T>` seen as a FieldElement: the bound of the
// variable in scope on the way to `target`; null when none is.
const GenericType* GenericTyper::boundToward(const GenericType& variable, const std::string& target) const {
    const TypeParameter* parameter = visibleParameter(variable.variable);
    if (!parameter) return nullptr;
    auto leadsThere = [&](const GenericType& bound) {
        return bound.kind == GenericType::Kind::Class && bound.dimensions == 0 &&
               _hierarchy.isSubtype(objectType(bound.className()), objectType(target));
    };
    if (parameter->classBound && leadsThere(*parameter->classBound)) return &*parameter->classBound;
    for (const GenericType& bound : parameter->interfaceBounds) {
        if (leadsThere(bound)) return &bound;
    }
    return nullptr;
}

std::optional<GenericType> GenericTyper::asSuper(const GenericType& type, const std::string& target) const {
    const JavaType targetType = objectType(target);
    const GenericType* at = &type;
    GenericType owned;  // the supertype reached, once a step is taken
    if (type.kind == GenericType::Kind::Variable && type.dimensions == 0) {
        at = boundToward(type, target);  // held by the signatures the typer keeps
        if (!at) return std::nullopt;
    }
    for (int depth = 0; depth < MaxDepth; ++depth) {
        if (at->kind != GenericType::Kind::Class || at->dimensions != 0) return std::nullopt;
        std::string joined;
        const std::string& name = at->parts.size() == 1 ? at->parts[0].name : (joined = at->className());
        if (name == target) return *at;
        const ClassFile* file = _hierarchy.find(name);
        if (!file) return std::nullopt;
        const ClassSignature* signature = classSignature(*file);
        if (!signature) {
            // Not generic: its supertypes are named without arguments.
            const std::string* super = nullptr;
            if (!file->superClass.empty() && _hierarchy.isSubtype(objectType(file->superClass), targetType)) {
                super = &file->superClass;
            } else {
                for (const std::string& i : file->interfaces) {
                    if (_hierarchy.isSubtype(objectType(i), targetType)) {
                        super = &i;
                        break;
                    }
                }
            }
            if (!super || *super == name) return std::nullopt;
            owned = classType(*super);
            at = &owned;
            continue;
        }
        Bindings bindings;
        bindEnclosingVariables(name, bindings);
        if (!bindOuterSteps(*at, bindings)) return std::nullopt;
        if (!bindParameters(signature->typeParameters, at->parts.back().arguments, bindings)) return std::nullopt;
        if (!signature->typeParameters.empty() && at->parts.back().arguments.empty()) return std::nullopt;  // raw
        const GenericType* step = nullptr;
        auto leadsThere = [&](const GenericType& super) {
            return super.kind == GenericType::Kind::Class && _hierarchy.isSubtype(objectType(super.className()), targetType);
        };
        if (leadsThere(signature->superclass)) step = &signature->superclass;
        for (size_t i = 0; !step && i < signature->interfaces.size(); ++i) {
            if (leadsThere(signature->interfaces[i])) step = &signature->interfaces[i];
        }
        if (!step) return std::nullopt;
        auto next = substitute(*step, bindings, Position::Result);
        if (!next) return std::nullopt;
        owned = std::move(*next);
        at = &owned;
    }
    return std::nullopt;
}

bool GenericTyper::bindOuterSteps(const GenericType& type, Bindings& into) const {
    std::string name;
    for (size_t i = 0; i + 1 < type.parts.size(); ++i) {
        const ClassTypePart& part = type.parts[i];
        name += (name.empty() ? "" : "$") + part.name;
        if (part.arguments.empty()) continue;
        const ClassFile* file = _hierarchy.find(name);
        const ClassSignature* signature = file ? classSignature(*file) : nullptr;
        if (!signature || !bindParameters(signature->typeParameters, part.arguments, into)) return false;
    }
    return true;
}

const Method* GenericTyper::findConstructor(const std::string& cls, const std::string& descriptor) const {
    const ClassFile* file = _hierarchy.find(cls);
    if (!file) return nullptr;
    // An inner class's constructor takes the outer instance first, which
    // the printed call leaves implicit (and the signature leaves out).
    std::string withOuter;
    for (const InnerClass& inner : file->innerClasses) {
        if (inner.innerClass == cls && !inner.outerClass.empty() && !(inner.access & access::Static) && descriptor[0] == '(') {
            withOuter = "(L" + inner.outerClass + ";" + descriptor.substr(1);
        }
    }
    for (const Method& m : file->methods) {
        if (m.name == "<init>" && (m.descriptor == descriptor || m.descriptor == withOuter)) return &m;
    }
    return nullptr;
}

const Method* GenericTyper::findMethod(const std::string& cls, const std::string& name, const std::string& descriptor,
                                       std::string& declaring) const {
    if (name == "<init>") {
        declaring = cls;
        return descriptor.empty() ? nullptr : findConstructor(cls, descriptor);
    }
    // Breadth first; the names point into `cls` and the class files the
    // hierarchy holds for as long as this typer lives.
    std::vector<const std::string*> pending{&cls};
    std::vector<const std::string*> seen;
    for (size_t head = 0; head < pending.size() && seen.size() < 64; ++head) {
        const std::string& next = *pending[head];
        if (std::any_of(seen.begin(), seen.end(), [&](const std::string* s) { return *s == next; })) continue;
        seen.push_back(&next);
        const ClassFile* file = _hierarchy.find(next);
        if (!file) return nullptr;
        for (const Method& m : file->methods) {
            if (m.name == name && m.descriptor == descriptor && !(m.access & access::Bridge)) {
                declaring = next;
                return &m;
            }
        }
        if (!file->superClass.empty()) pending.push_back(&file->superClass);
        for (const std::string& i : file->interfaces) pending.push_back(&i);
    }
    return nullptr;
}

const Field* GenericTyper::findField(const std::string& cls, const std::string& name, std::string& declaring) const {
    auto owner = _hierarchy.fieldOwner(cls, name);
    if (!owner || owner->empty()) return nullptr;
    const ClassFile* file = _hierarchy.find(*owner);
    if (!file) return nullptr;
    for (const Field& f : file->fields) {
        if (f.name == name) {
            declaring = *owner;
            return &f;
        }
    }
    return nullptr;
}

std::optional<Bindings> GenericTyper::callBindings(const Expr& call, const std::string& declaring,
                                                   const MethodSignature& signature, size_t firstArgument) const {
    Bindings bindings;
    // `new X(...)` binds nothing: its type arguments are what is asked.
    if (!call.isStatic && call.kind == ExprKind::Invoke) {
        auto receiver = receiverBindings(call, declaring);
        if (!receiver) return std::nullopt;
        bindings = std::move(*receiver);
    }
    if (call.kind == ExprKind::New) bindAroundCreated(call.owner, bindings);
    for (const auto& parameter : signature.typeParameters) bindings.erase(parameter.name);
    inferMethodVariables(signature, call, firstArgument, bindings);
    return bindings;
}

// `new Range(from, to)` of an inner class of this class or of one around
// it: the variables of the classes around it are the ones in scope here;
// the created class's own stay unbound, as the creation infers them.
void GenericTyper::bindAroundCreated(const std::string& cls, Bindings& into) const {
    const ClassFile* file = _hierarchy.find(cls);
    if (!file) return;
    for (const InnerClass& inner : file->innerClasses) {
        if (inner.innerClass == cls && !inner.outerClass.empty() && !(inner.access & access::Static)) {
            bindEnclosingVariables(inner.outerClass, into);
        }
    }
    if (const ClassSignature* own = classSignature(*file)) {
        for (const TypeParameter& parameter : own->typeParameters) into.erase(parameter.name);
    }
}

std::optional<Bindings> GenericTyper::receiverBindings(const Expr& e, const std::string& declaring) const {
    GenericPtr receiver;
    if (e.invoke == InvokeKind::Super || e.args.empty() || e.args[0]->kind == ExprKind::This) {
        receiver = _thisType;
    } else {
        receiver = typeOf(*e.args[0]);
    }
    if (!receiver) return std::nullopt;
    // The same receiver (a local, `this`) is asked about again and again;
    // the entry holds the type, so that no other can take its address.
    auto& known = _receiverBindings[receiver.get()];
    auto found = known.byDeclaring.find(declaring);
    if (found != known.byDeclaring.end()) return found->second;
    known.type = receiver;
    return known.byDeclaring.emplace(declaring, bindingsAs(*receiver, declaring)).first->second;
}

std::optional<Bindings> GenericTyper::bindingsAs(const GenericType& receiver, const std::string& declaring) const {
    auto seen = asSuper(receiver, declaring);
    if (!seen) return std::nullopt;
    Bindings bindings;
    // A class around this code sees the variables around it as themselves.
    bindEnclosingVariables(seen->className(), bindings);
    // Each step of the type binds its own class's parameters: Outer<K>.Inner<V>.
    if (!bindOuterSteps(*seen, bindings)) return std::nullopt;
    const ClassFile* declaringFile = _hierarchy.find(declaring);
    const ClassSignature* declared = declaringFile ? classSignature(*declaringFile) : nullptr;
    if (!seen->parts.back().arguments.empty() &&
        (!declared || !bindParameters(declared->typeParameters, seen->parts.back().arguments, bindings))) return std::nullopt;
    if (declared && !declared->typeParameters.empty() && seen->parts.back().arguments.empty()) return std::nullopt;
    return bindings;
}

bool GenericTyper::isAnonymousType(const JavaType& type) const {
    if (type.base != 'L' || type.dimensions || type.className.find('$') == std::string::npos) return false;
    const ClassFile* file = _hierarchy.find(type.className);
    return file && isAnonymousClassFile(*file);
}

GenericPtr GenericTyper::anonymousSupertype(const JavaType& type) const {
    if (!isAnonymousType(type)) return nullptr;
    const ClassFile* file = _hierarchy.find(type.className);
    // The supertype the local is declared with, as the class file names it.
    const bool implementsOne = file->superClass == "java/lang/Object" && file->interfaces.size() == 1;
    const ClassSignature* signature = classSignature(*file);
    if (!signature) return nullptr;
    const GenericType* super = implementsOne ? (signature->interfaces.size() == 1 ? &signature->interfaces[0] : nullptr)
                                             : &signature->superclass;
    if (!super || super->kind != GenericType::Kind::Class || !saysMore(*super) || !inScope(*super)) return nullptr;
    return share(*super);
}

GenericPtr GenericTyper::plainType(const JavaType& type) const {
    if (!type.isReference()) return nullptr;
    if (type.base != 'L') return nullptr;
    const ClassFile* file = _hierarchy.find(type.className);
    // A class with type parameters used raw says nothing more than its erasure.
    if (!file) return nullptr;
    const ClassSignature* signature = classSignature(*file);
    if (!file->signature.empty() && (!signature || !signature->typeParameters.empty())) return nullptr;
    return share(classType(type.className, type.dimensions));
}

namespace {

bool isNullValue(const Expr& e) {
    return e.kind == ExprKind::Null || (e.kind == ExprKind::Cast && !e.generic && e.args[0]->kind == ExprKind::Null);
}

void bindVariable(Bindings& bindings, std::set<std::string>& conflicting, const std::string& variable, const GenericPtr& type) {
    auto found = bindings.find(variable);
    if (found == bindings.end()) bindings[variable] = {'=', type};
    else if (!found->second.type || !sameGeneric(*found->second.type, *type)) conflicting.insert(variable);
}

}  // namespace

// `Job<T> job` given a `Job<String>`: T is String. Only exact type
// arguments bind; a wildcard's capture is nothing the output can name.
std::vector<std::pair<std::string, GenericPtr>> GenericTyper::typeArgumentBindings(const MethodSignature& signature,
                                                                                    const GenericType& parameter,
                                                                                    const Expr& argument) const {
    std::vector<std::pair<std::string, GenericPtr>> out;
    if (parameter.kind != GenericType::Kind::Class || parameter.dimensions || parameter.parts.size() != 1 ||
        !parameter.hasArguments()) return out;
    GenericPtr argumentType = typeOf(argument);
    if (!argumentType || argumentType->kind != GenericType::Kind::Class) return out;
    auto seen = asSuper(*argumentType, parameter.className());
    if (!seen || seen->dimensions || seen->parts.size() != 1) return out;
    const auto& wanted = parameter.parts[0].arguments;
    const auto& given = seen->parts[0].arguments;
    if (wanted.size() != given.size()) return out;
    for (size_t k = 0; k < wanted.size(); ++k) {
        const TypeArgument& w = wanted[k];
        if (w.kind != '=' || !w.type || !isVariableType(*w.type) || w.type->dimensions ||
            !findParameter(signature.typeParameters, w.type->variable)) continue;
        if (given[k].kind != '=' || !given[k].type || given[k].type->kind == GenericType::Kind::Primitive) continue;
        out.emplace_back(w.type->variable, given[k].type);
    }
    return out;
}

// javac's equality constraints (`Class<T>`, `Job<T>` given exact type
// arguments) decide a variable; the types of values passed as a plain `T`
// are lower bounds, which only decide a variable nothing else does.
void GenericTyper::inferMethodVariables(const MethodSignature& signature, const Expr& call, size_t firstArgument,
                                        Bindings& bindings) const {
    if (signature.typeParameters.empty()) return;  // nothing of its own to infer
    Bindings exact, loose;
    std::set<std::string> exactConflicts, looseConflicts;
    for (size_t i = 0; i < signature.parameters.size() && firstArgument + i < call.args.size(); ++i) {
        const GenericType& parameter = signature.parameters[i];
        const Expr& argument = *call.args[firstArgument + i];
        if (parameter.kind == GenericType::Kind::Variable && findParameter(signature.typeParameters, parameter.variable)) {
            // A null, even cast to the erased parameter, says nothing of T:
            // the cast is the printer's, and goes where it would bind T.
            if (isNullValue(argument)) continue;
            GenericPtr argumentType = typeOf(argument);
            if (!argumentType || argumentType->dimensions < parameter.dimensions) continue;
            GenericType element = *argumentType;
            element.dimensions -= parameter.dimensions;
            if (element.kind == GenericType::Kind::Primitive) continue;
            bindVariable(loose, looseConflicts, parameter.variable, share(std::move(element)));
        } else if (parameter.kind == GenericType::Kind::Class && parameter.dimensions == 0 && parameter.parts.size() == 1 &&
                   parameter.parts[0].name == "java/lang/Class" && parameter.parts[0].arguments.size() == 1) {
            const TypeArgument& argumentOfClass = parameter.parts[0].arguments[0];
            if (argumentOfClass.kind != '=' || !argumentOfClass.type || !isVariableType(*argumentOfClass.type) ||
                argumentOfClass.type->dimensions || !findParameter(signature.typeParameters, argumentOfClass.type->variable)) continue;
            GenericPtr classOf = typeOf(argument);
            if (!classOf || classOf->kind != GenericType::Kind::Class || classOf->parts.size() != 1 ||
                classOf->parts[0].arguments.size() != 1 || classOf->parts[0].arguments[0].kind != '=') continue;
            bindVariable(exact, exactConflicts, argumentOfClass.type->variable, classOf->parts[0].arguments[0].type);
        } else {
            for (auto& [name, type] : typeArgumentBindings(signature, parameter, argument)) {
                bindVariable(exact, exactConflicts, name, type);
            }
        }
    }
    for (auto& [variable, type] : exact) {
        if (!exactConflicts.count(variable)) bindings[variable] = type;
    }
    // Two values of different types: javac infers a common supertype.
    for (auto& [variable, type] : loose) {
        if (!looseConflicts.count(variable) && !exact.count(variable)) bindings[variable] = type;
    }
}

GenericPtr GenericTyper::invokeType(const Expr& e) const {
    if (e.name == "<init>") return nullptr;
    // An array's clone has the array's own type, `T[]` as well.
    if (isArrayClone(e)) {
        GenericPtr array = typeOf(*e.args[0]);
        return array && array->dimensions ? array : nullptr;
    }
    std::string declaring;
    const Method* method = findMethod(e.owner, e.name, e.descriptor, declaring);
    if (!method) return nullptr;
    return callType(e, *method, declaring);
}

GenericPtr GenericTyper::callType(const Expr& e, const Method& method, const std::string& declaring) const {
    const MethodSignature* signature = signatureOf(method);
    if (!signature) {
        auto type = methodTypeOf(e.descriptor);
        return type ? plainType(type->returnType) : nullptr;
    }
    if (!saysMore(signature->result) && !signature->result.dimensions) {
        auto type = methodTypeOf(e.descriptor);
        return type ? plainType(type->returnType) : nullptr;
    }
    if (passesRaw(e, *signature)) return nullptr;
    Bindings bindings;
    if (!e.isStatic) {
        auto receiver = receiverBindings(e, declaring);
        if (!receiver) return nullptr;
        bindings = std::move(*receiver);
    }
    // The method's own variables hide the class's of the same name.
    for (const auto& parameter : signature->typeParameters) bindings.erase(parameter.name);
    inferMethodVariables(*signature, e, e.isStatic ? 0 : 1, bindings);
    auto result = substitute(signature->result, bindings, Position::Result);
    if (!result || !inScope(*result)) return nullptr;
    return share(std::move(*result));
}

// An argument goes raw (or not known to be otherwise) to a parameter of a
// parameterized type: javac then types the call's result erased.
bool GenericTyper::passesRaw(const Expr& call, const MethodSignature& signature) const {
    const size_t first = call.isStatic || call.kind == ExprKind::New ? 0 : 1;
    for (size_t i = 0; i < signature.parameters.size() && first + i < call.args.size(); ++i) {
        const GenericType& parameter = signature.parameters[i];
        if (parameter.kind != GenericType::Kind::Class || parameter.dimensions || !parameter.hasArguments()) continue;
        const Expr& argument = *call.args[first + i];
        if (argument.kind == ExprKind::Null || argument.kind == ExprKind::Lambda || !argument.type.isReference()) continue;
        if (argument.kind == ExprKind::New && argument.op == "<>") continue;
        GenericPtr type = typeOf(argument);
        if (!type) {
            // Not known: raw where the value's class is generic or cannot be read.
            const ClassFile* file = argument.type.base == 'L' ? _hierarchy.find(argument.type.className) : nullptr;
            if (!file || isGenericClass(*file)) return true;
            continue;
        }
        auto seen = asSuper(*type, parameter.className());
        if (!seen || !seen->hasArguments()) return true;
    }
    return false;
}

bool GenericTyper::inferredFromBoundedTarget(const Expr& call) const {
    std::string declaring;
    const Method* method = findMethod(call.owner, call.name, call.descriptor, declaring);
    const MethodSignature* signature = method ? signatureOf(*method) : nullptr;
    if (!signature || signature->typeParameters.empty()) return false;
    std::set<std::string> inParameters, inResult;
    for (const GenericType& parameter : signature->parameters) collectVariables(parameter, inParameters);
    collectVariables(signature->result, inResult);
    for (const TypeParameter& variable : signature->typeParameters) {
        const bool bounded = (variable.classBound && variable.classBound->className() != "java/lang/Object") ||
                             !variable.interfaceBounds.empty();
        if (bounded && inResult.count(variable.name) && !inParameters.count(variable.name)) return true;
    }
    return false;
}

bool GenericTyper::takesVariableArgument(const Expr& call) const { return !variableArguments(call).empty(); }

std::vector<size_t> GenericTyper::variableArguments(const Expr& call) const {
    std::vector<size_t> out;
    std::string declaring;
    const Method* method = findMethod(call.owner, call.name, call.descriptor, declaring);
    const MethodSignature* signature = method ? signatureOf(*method) : nullptr;
    if (!signature) return out;
    const ClassFile* file = _hierarchy.find(declaring);
    const ClassSignature* cls = file ? classSignature(*file) : nullptr;
    if (!cls || cls->typeParameters.empty()) return out;
    // A variable the receiver binds to a type, or to `? super X`, takes an
    // X; one bound to `?` or `? extends X` takes nothing but null.
    const auto receiver = receiverBindings(call, declaring);
    auto captured = [&](const std::string& variable) {
        if (!receiver) return true;
        auto bound = receiver->find(variable);
        return bound == receiver->end() || bound->second.kind == '*' || bound->second.kind == '+';
    };
    std::function<bool(const GenericType&)> mentions = [&](const GenericType& type) {
        if (type.kind == GenericType::Kind::Variable) {
            return findParameter(cls->typeParameters, type.variable) && !findParameter(signature->typeParameters, type.variable) &&
                   captured(type.variable);
        }
        for (const auto& part : type.parts) {
            for (const auto& argument : part.arguments) {
                if (argument.type && mentions(*argument.type)) return true;
            }
        }
        return false;
    };
    for (size_t i = 0; i < signature->parameters.size() && 1 + i < call.args.size(); ++i) {
        if (call.args[1 + i]->kind != ExprKind::Null && mentions(signature->parameters[i])) out.push_back(i);
    }
    return out;
}

bool GenericTyper::resultInferred(const Expr& call) const {
    std::string declaring;
    const Method* method = findMethod(call.owner, call.name, call.descriptor, declaring);
    const MethodSignature* signature = method ? signatureOf(*method) : nullptr;
    return signature && namesOwnVariable(signature->result, *signature);
}

GenericPtr GenericTyper::refinableType(const Expr& e) const {
    if (e.kind != ExprKind::Invoke || isArrayClone(e)) return typeOf(e);
    std::string declaring;
    const Method* method = findMethod(e.owner, e.name, e.descriptor, declaring);
    const MethodSignature* signature = method ? signatureOf(*method) : nullptr;
    if (signature && namesOwnVariable(signature->result, *signature)) return nullptr;
    if (e.name == "<init>" || !method) return nullptr;
    // typeOf's answer too: kept for the calls around this one.
    GenericPtr type = callType(e, *method, declaring);
    if (_remember) _known.emplace(&e, type);
    return type;
}

// `Outer.this` in an inner class: a class around this one with its own
// type variables, which the inner class sees by their names unless a nearer
// declaration of the same name hides them.
GenericPtr GenericTyper::outerInstanceType(const std::string& cls) const {
    if (!_enclosing.count(cls)) return nullptr;
    const ClassFile* file = _hierarchy.find(cls);
    const ClassSignature* signature = file ? classSignature(*file) : nullptr;
    if (!signature) return file ? share(ownType(*file)) : nullptr;
    for (const auto& parameter : signature->typeParameters) {
        size_t declared = 0;
        for (const auto* scope : _scopes) {
            for (const auto& visible : *scope) declared += visible.name == parameter.name;
        }
        if (declared != 1) return nullptr;
    }
    return share(ownType(*file));
}

GenericPtr GenericTyper::fieldType(const Expr& e) const {
    if (const std::string outer = instanceClassOf(e); !outer.empty() && outer != _owner.thisClass) {
        return outerInstanceType(outer);
    }
    std::string declaring;
    const Field* field = findField(e.owner, e.name, declaring);
    if (!field) return nullptr;
    if (field->signature.empty()) {
        auto type = parseFieldDescriptor(field->descriptor);
        return type ? plainType(*type) : nullptr;
    }
    auto declared = cachedFieldSignature(field->signature);
    if (!declared) return nullptr;
    Bindings bindings;
    if (!e.isStatic) {
        auto receiver = receiverBindings(e, declaring);
        if (!receiver) return nullptr;
        bindings = std::move(*receiver);
    }
    auto result = substitute(*declared, bindings, Position::Result);
    if (!result || !inScope(*result)) return nullptr;
    return share(std::move(*result));
}

GenericPtr GenericTyper::typeOf(const Expr& e) const {
    if (!_remember) return computeType(e);
    auto known = _known.find(&e);
    if (known != _known.end()) return known->second;
    GenericPtr type = computeType(e);
    _known.emplace(&e, type);
    return type;
}

GenericPtr GenericTyper::computeType(const Expr& e) const {
    switch (e.kind) {
    case ExprKind::This: return _thisType;
    case ExprKind::Local:
        if (e.var->generic) return e.var->generic;
        // Declared raw as its supertype: javac sees nothing of the class's own type arguments.
        if (isAnonymousType(e.var->type)) return nullptr;
        return plainType(e.var->type);
    case ExprKind::Field: return fieldType(e);
    case ExprKind::Invoke: return invokeType(e);
    case ExprKind::Cast:
        if (e.generic) return e.generic;
        // javac's checkcast after an array's clone, which the refined
        // clone makes redundant.
        if (e.args[0]->kind == ExprKind::Invoke && e.args[0]->name == "clone" && e.type.isArray()) {
            if (GenericPtr array = typeOf(*e.args[0]); array && sameType(erasureOf(*array), e.type)) return array;
        }
        return plainType(e.type);
    case ExprKind::New:
        if (e.op == "<>") return nullptr;
        return plainType(e.type);
    case ExprKind::Literal:
        if (e.literal.tag == 'S') return share(classType("java/lang/String"));
        return nullptr;
    case ExprKind::Concat: return share(classType("java/lang/String"));
    case ExprKind::ArrayElement: {
        GenericPtr array = typeOf(*e.args[0]);
        if (!array || array->dimensions == 0) return nullptr;
        GenericType element = *array;
        element.dimensions -= 1;
        return share(std::move(element));
    }
    case ExprKind::Assign: return typeOf(*e.args[0]);
    case ExprKind::Conditional: {
        const Expr& a = *e.args[1];
        const Expr& b = *e.args[2];
        if (a.kind == ExprKind::Null) return typeOf(b);
        if (b.kind == ExprKind::Null) return typeOf(a);
        GenericPtr x = typeOf(a), y = typeOf(b);
        return x && y && sameGeneric(*x, *y) ? x : nullptr;
    }
    case ExprKind::ClassLiteral: {
        const JavaType type = typeOfClassName(e.owner);
        GenericPtr plain = plainType(type);
        if (!plain || type.isArray()) return nullptr;
        GenericType literal = classType("java/lang/Class");
        literal.parts[0].arguments.push_back({'=', plain});
        return share(std::move(literal));
    }
    default: return nullptr;
    }
}

const GenericType* GenericTyper::declaredParameter(const Expr& call, size_t index) const {
    auto type = methodTypeOf(call.descriptor);
    std::string declaring;
    const Method* method = type ? findMethod(call.owner, call.name, call.descriptor, declaring) : nullptr;
    const MethodSignature* signature = method ? signatureOf(*method) : nullptr;
    if (!signature || signature->parameters.size() != type->parameters.size() || index >= signature->parameters.size()) {
        return nullptr;
    }
    return &signature->parameters[index];
}

std::vector<GenericPtr> GenericTyper::parameterTypes(const Expr& call) const {
    std::vector<GenericPtr> result;
    auto type = methodTypeOf(call.descriptor);
    // No parameters: nothing to type, whatever the method's signature says.
    if (!type || type->parameters.empty()) return result;
    std::string declaring;
    // A creation names no method; its constructor's parameters are asked.
    const bool creation = call.kind == ExprKind::New;
    const Method* method = findMethod(call.owner, creation ? "<init>" : call.name, call.descriptor, declaring);
    if (!method) return result;
    const MethodSignature* signature = signatureOf(*method);
    // A constructor of an inner or local class has parameters the signature leaves out.
    if (!signature || signature->parameters.size() != type->parameters.size()) return result;
    auto found = callBindings(call, declaring, *signature, call.isStatic || creation ? 0 : 1);
    if (!found) return result;
    const Bindings& bindings = *found;
    for (const GenericType& parameter : signature->parameters) {
        auto substituted = substitute(parameter, bindings, Position::Parameter);
        result.push_back(substituted && inScope(*substituted) ? share(std::move(*substituted)) : nullptr);
    }
    return result;
}

namespace {

// The type with each wildcard argument of its last step replaced by its
// bound, as javac derives a lambda's function type; nothing for `?`.
std::optional<GenericType> withoutWildcards(const GenericType& type) {
    if (type.kind != GenericType::Kind::Class || type.dimensions || type.parts.empty()) return std::nullopt;
    GenericType result = type;
    for (TypeArgument& argument : result.parts.back().arguments) {
        if (!argument.type) return std::nullopt;
        argument.kind = '=';
    }
    return result;
}

}  // namespace

std::vector<GenericPtr> GenericTyper::lambdaParameterTypes(const Expr& call, size_t index) const {
    std::vector<GenericPtr> result;
    const size_t first = call.isStatic || call.kind == ExprKind::New ? 0 : 1;
    if (index < first || index >= call.args.size() || call.args[index]->kind != ExprKind::Lambda) return result;
    const LambdaSite& site = *call.args[index]->lambda;
    auto erased = methodTypeOf(call.descriptor);
    std::string declaring;
    const Method* method = findMethod(call.owner, call.name, call.descriptor, declaring);
    const MethodSignature* signature = method ? signatureOf(*method) : nullptr;
    if (!erased || !signature || signature->parameters.size() != erased->parameters.size() ||
        index - first >= signature->parameters.size()) return result;
    // The interface method, in terms of the called method's variables.
    auto target = withoutWildcards(signature->parameters[index - first]);
    if (!target) return result;
    std::string samOwner;
    const Method* sam = findMethod(target->className(), site.samName, site.samDescriptor, samOwner);
    const MethodSignature* samSignature = sam ? signatureOf(*sam) : nullptr;
    auto samErased = methodTypeOf(site.samDescriptor);
    if (!samSignature || !samErased || samSignature->parameters.size() != samErased->parameters.size() ||
        !samSignature->typeParameters.empty()) return result;
    auto seen = asSuper(*target, samOwner);
    const ClassFile* samFile = _hierarchy.find(samOwner);
    const ClassSignature* samClass = samFile ? classSignature(*samFile) : nullptr;
    Bindings ofInterface;
    if (!seen || !samClass || seen->parts.size() != 1 ||
        !bindParameters(samClass->typeParameters, seen->parts[0].arguments, ofInterface)) return result;
    // Then the call's: the receiver's type arguments and what the arguments say.
    auto foundOfCall = callBindings(call, declaring, *signature, first);
    if (!foundOfCall) return result;
    const Bindings& ofCall = *foundOfCall;
    for (const GenericType& parameter : samSignature->parameters) {
        auto inTermsOfCall = substitute(parameter, ofInterface, Position::Result);
        auto type = inTermsOfCall ? substitute(*inTermsOfCall, ofCall, Position::Result) : std::nullopt;
        if (!type || !inScope(*type)) return {};
        result.push_back(share(std::move(*type)));
    }
    return result;
}

namespace {

bool isGenericLocal(const Var& var) { return var.kind == VarKind::Local || var.kind == VarKind::Temp; }

void setParameterTypes(const std::vector<VarPtr>& params, const GenericTyper& typer, const std::vector<GenericPtr>* captured) {
    if (captured && captured->size() <= params.size()) {
        for (size_t i = 0; i < captured->size(); ++i) {
            if (params[i] && (*captured)[i] && sameType(typer.erasureOf(*(*captured)[i]), params[i]->type)) {
                params[i]->generic = (*captured)[i];
            }
        }
    }
    const MethodSignature* signature = typer.methodSignature();
    if (!signature || signature->parameters.size() != params.size()) return;
    for (size_t i = 0; i < params.size(); ++i) {
        if (params[i] && !params[i]->generic && saysMore(signature->parameters[i])) {
            params[i]->generic = share(signature->parameters[i]);
        }
    }
}

// A type the printed declaration may name, and that erases to the
// variable's own type.
bool fits(const Var& var, const GenericType& type, const GenericTyper& typer) {
    return typer.inScope(type) && sameType(typer.erasureOf(type), var.type);
}

// The one type every value stored in each local has; nothing for a local
// the debug information declares without type arguments (raw), or one
// with a value of no known type.
void inferLocalTypes(StmtList& body, const std::vector<VarPtr>& vars, const GenericTyper& typer, Budget& budget) {
    std::map<const Var*, GenericPtr> candidate;
    std::set<const Var*> open;
    for (const VarPtr& var : vars) {
        if (isGenericLocal(*var) && !var->generic && !var->debugDeclared && var->type.isReference()) open.insert(var.get());
    }
    const GenericTyper::RememberedTypes remembered(typer);
    for (int round = 0; round < MaxInferenceRounds && !open.empty(); ++round) {
        candidate.clear();
        std::set<const Var*> unknown;
        visitAllExprs(body, [&](ExprPtr& slot) {
            budget.spend();
            const Expr& e = *slot;
            if (e.kind != ExprKind::Assign || e.args[0]->kind != ExprKind::Local) return;
            const Var* var = e.args[0]->var.get();
            if (!open.count(var) || unknown.count(var) || e.args[1]->kind == ExprKind::Null) return;
            GenericPtr type = typer.typeOf(*e.args[1]);
            auto& known = candidate[var];
            if (!type || !saysMore(*type) || (known && !sameGeneric(*known, *type))) {
                unknown.insert(var);
                return;
            }
            known = type;
        });
        bool changed = false;
        for (const VarPtr& var : vars) {
            auto found = candidate.find(var.get());
            if (found == candidate.end() || unknown.count(var.get()) || !found->second) continue;
            if (!fits(*var, *found->second, typer)) continue;
            typer.forgetTypes();
            var->generic = found->second;
            open.erase(var.get());
            changed = true;
        }
        if (!changed) break;
    }
}

// A local holding an anonymous class's instance is declared with the
// class's supertype; with its type arguments, calls through it are typed
// as javac will type them. A parameter (a lambda's captured value) keeps
// the raw type, as the enclosing local it stands for may be declared raw.
void typeAnonymousLocals(const std::vector<VarPtr>& vars, const GenericTyper& typer) {
    for (const VarPtr& var : vars) {
        if (!isGenericLocal(*var) || var->generic || var->debugDeclared) continue;
        var->generic = typer.anonymousSupertype(var->type);
    }
}

// A class declared inside a method: anonymous or local.
bool isLocalClass(const std::string& name, const Hierarchy& hierarchy) {
    const ClassFile* file = hierarchy.find(name);
    if (!file) return name.find('$') != std::string::npos;
    for (const InnerClass& inner : file->innerClasses) {
        if (inner.innerClass == name) return inner.outerClass.empty();
    }
    return false;
}

// Locals an anonymous or local class or a lambda captures: the bodies that
// read them were typed with the erased type of the field or parameter that
// carries them, so the locals keep it too.
void eraseCapturedLocals(StmtList& body, const GenericTyper& typer, Budget& budget) {
    visitAllExprs(body, [&](ExprPtr& slot) {
        budget.spend();
        const Expr& e = *slot;
        const bool captures = e.kind == ExprKind::Lambda ||
                              (e.kind == ExprKind::New && isLocalClass(e.type.className, typer.hierarchy())) ||
                              (e.kind == ExprKind::Invoke && e.name == "<init>" && isLocalClass(e.owner, typer.hierarchy()));
        if (!captures) return;
        for (const ExprPtr& argument : e.args) {
            if (argument->kind == ExprKind::Local && argument->var->kind != VarKind::Parameter) argument->var->generic = nullptr;
        }
    });
}

}  // namespace

void typeGenericVariables(StmtList& body, const std::vector<VarPtr>& vars, const std::vector<VarPtr>& params,
                          const GenericTyper& typer, Budget& budget, const std::vector<GenericPtr>* captured) {
    setParameterTypes(params, typer, captured);
    typeAnonymousLocals(vars, typer);
    for (const VarPtr& var : vars) {
        if (!var->generic) continue;
        // Parameters print as the declaration says; a local's type must erase
        // to what the body was typed with.
        const bool parameter = var->kind == VarKind::Parameter;
        if (!typer.inScope(*var->generic) || (!parameter && !fits(*var, *var->generic, typer)) ||
            var->kind == VarKind::This || var->kind == VarKind::Caught) {
            var->generic = nullptr;
        }
    }
    inferLocalTypes(body, vars, typer, budget);
    // Without a generic local there is nothing to erase, and the walk is spared.
    if (std::any_of(vars.begin(), vars.end(),
                    [](const VarPtr& var) { return var->generic && var->kind != VarKind::Parameter; })) {
        eraseCapturedLocals(body, typer, budget);
    }
}

void refineGenericValues(StmtList& body, const GenericTyper& typer, Budget& budget) {
    const GenericTyper::RememberedTypes remembered(typer);
    visitAllExprs(body, [&](ExprPtr& slot) {
        budget.spend();
        Expr& e = *slot;
        if (e.kind != ExprKind::Invoke && e.kind != ExprKind::Field) return;
        if (!e.type.isReference()) return;
        GenericPtr type = typer.refinableType(e);
        // A variable's value has its bound's members: javac's checkcast to
        // the erasure says nothing more.
        if (!type || (type->kind == GenericType::Kind::Primitive && !type->dimensions)) return;
        const JavaType erased = typer.erasureOf(*type);
        if (sameType(erased, e.type) || !typer.hierarchy().isSubtype(erased, e.type)) return;
        // What the typer remembers of the values inside still holds, and
        // nothing around this one was asked about yet: the walk goes
        // children first, and a value's type is worked out from those below.
        typer.forgetType(e);
        e.type = erased;
    });
}

namespace {

ExprPtr newGenericCast(const GenericType& type, const JavaType& erased, ExprPtr value) {
    ExprPtr cast = makeCast(erased, std::move(value));
    cast->generic = share(type);
    return cast;
}

// A cast to the raw type, printed even where the value has that erasure:
// javac's type for it may have other type arguments.
ExprPtr newRawCast(const JavaType& erased, ExprPtr value) {
    // javac's own checkcast to that type prints as the raw cast.
    if (value->kind == ExprKind::Cast && !value->generic && sameType(value->type, erased) && erased.base == 'L') {
        value->generic = share(classType(erased.className, erased.dimensions));
        return value;
    }
    ExprPtr cast = makeCast(erased, std::move(value));
    if (erased.base == 'L') cast->generic = share(classType(erased.className, erased.dimensions));
    return cast;
}

class GenericCasts {
    static const std::string& constructorName() {
        static const std::string name = "<init>";
        return name;
    }

public:
    GenericCasts(const GenericTyper& typer, Budget& budget) : _typer(typer), _budget(budget) {}

    void run(StmtList& body) {
        const GenericTyper::RememberedTypes remembered(_typer);
        visitLists(body, [&](StmtList& list) {
            for (StmtPtr& s : list) {
                if (s->kind == StmtKind::Throw && s->expr) thrown(s->expr);
                if (s->kind == StmtKind::Return && s->expr) returned(s->expr);
            }
        });
        visitAllExprs(body, [&](ExprPtr& slot) {
            _budget.spend();
            Expr& e = *slot;
            if (e.kind == ExprKind::Assign && e.args[0]->kind == ExprKind::Local && e.args[0]->var->generic) {
                stored(*e.args[0]->var->generic, e.args[0]->var->type, e.args[1]);
            } else if (e.kind == ExprKind::Assign && e.args[0]->kind == ExprKind::Field && e.args[1]->kind == ExprKind::New) {
                if (GenericPtr field = _typer.typeOf(*e.args[0])) diamond(*field, *e.args[1]);
            } else if (e.kind == ExprKind::Assign && e.args[0]->kind == ExprKind::Field) {
                GenericPtr field = _typer.typeOf(*e.args[0]);
                if (field && field->kind == GenericType::Kind::Variable) {
                    storedInOuterVariableField(*e.args[0], *field, e.args[1]);
                } else if (field) {
                    storedInField(*field, e.args[0]->type, e.args[1]);
                }
            } else if (e.kind == ExprKind::Assign && e.args[0]->kind == ExprKind::ArrayElement) {
                storedInElement(*e.args[0], e.args[1]);
            } else if (e.kind == ExprKind::Invoke || e.kind == ExprKind::New) {
                arguments(e);
            } else if (e.kind == ExprKind::Binary && (e.op == "==" || e.op == "!=")) {
                compared(e);
            }
        });
    }

private:
    // Every change to the tree goes through these or calls changed(): the
    // types the typer remembers may no longer hold.
    ExprPtr genericCast(const GenericType& type, const JavaType& erased, ExprPtr value) const {
        changed();
        return newGenericCast(type, erased, std::move(value));
    }
    ExprPtr rawCast(const JavaType& erased, ExprPtr value) const {
        changed();
        return newRawCast(erased, std::move(value));
    }
    void changed() const { _typer.forgetTypes(); }

    bool accepts(const GenericType& target, const Expr& value) const {
        if (value.kind == ExprKind::Null) return true;
        GenericPtr type = _typer.typeOf(value);
        if (!type) return false;
        if (sameGeneric(*type, target)) return true;
        if (target.kind != GenericType::Kind::Class || target.dimensions) return false;
        auto seen = _typer.asSuper(*type, target.className());
        return seen && sameGeneric(*seen, target);
    }

    // `cut == Cut.aboveAll()`: no target types a generic method's result
    // there, so javac infers it from the bounds alone, which may make the
    // two sides incomparable parameterizations; the raw type compares with either.
    void compared(Expr& comparison) {
        for (size_t i = 0; i < 2; ++i) {
            ExprPtr& side = comparison.args[i];
            const Expr& other = *comparison.args[1 - i];
            if (side->kind != ExprKind::Invoke || side->type.base != 'L' || other.kind == ExprKind::Null) continue;
            if (!_typer.resultInferred(*side)) continue;
            GenericPtr otherType = _typer.typeOf(other);
            if (otherType && saysMore(*otherType)) side = rawCast(side->type, side);
        }
    }

    // `items[i] = x` into an `E[]` or a `List<T>[]`: as into a local of the
    // element's type. An array javac types otherwise is left alone.
    void storedInElement(const Expr& element, ExprPtr& value) {
        GenericPtr type = _typer.typeOf(element);
        if (!type || !saysMore(*type) || !_typer.inScope(*type)) return;
        if (!value->type.isReference() || !sameType(_typer.erasureOf(*type), element.type)) return;
        stored(*type, element.type, value);
    }

    // A value stored in a local of a generic type.
    void stored(const GenericType& target, const JavaType& erased, ExprPtr& value) {
        if (accepts(target, *value)) return;
        if (value->kind == ExprKind::New && target.kind != GenericType::Kind::Variable) {
            diamond(target, *value);
            if (value->op == "<>") return;
            // A class of no type parameters of its own, whose supertype has
            // other arguments than the target's: the raw type converts.
            GenericPtr type = _typer.typeOf(*value);
            if (type && target.kind == GenericType::Kind::Class && _typer.asSuper(*type, target.className())) {
                value = rawCast(erased, value);
            }
            return;
        }
        if (target.kind == GenericType::Kind::Variable) return storedAsVariable(target, erased, value);
        // Typed otherwise than the local, or not known to be typed as it: the
        // raw type converts unchecked. javac's checkcast to the erasure
        // (which prints as nothing) leaves the value typed as it was.
        const Expr& inner = value->kind == ExprKind::Cast && !value->generic ? *value->args[0] : *value;
        const bool typedOtherwise = inner.kind == ExprKind::Invoke || inner.kind == ExprKind::Field ||
                                    inner.kind == ExprKind::ArrayElement || inner.kind == ExprKind::Conditional;
        GenericPtr type = _typer.typeOf(inner);
        if (((type && saysMore(*type)) || typedOtherwise) && value->type.isReference()) {
            // The local's own raw type: a subclass's raw type may implement
            // the local's type with other type arguments. The value was
            // stored there as it is, so the cast checks nothing at run time.
            value = rawCast(erased.base == 'L' ? erased : value->type, value);
        }
    }

    // A value stored where a type variable, or an array of one, types the
    // target: javac's checkcast to the erasure is the source's cast to the
    // variable; any other value takes that cast.
    void storedAsVariable(const GenericType& target, const JavaType& erased, ExprPtr& value) {
        if (!value->type.isReference() || value->kind == ExprKind::Null || !_typer.inScope(target)) return;
        if (accepts(target, *value)) return;
        if (value->kind == ExprKind::Cast && !value->generic && sameType(value->type, erased)) {
            value->generic = share(target);
            return;
        }
        value = genericCast(target, erased, value);
    }

    // A field of a variable of a class around this one (the printer casts
    // for the class's own variables).
    void storedInOuterVariableField(const Expr& field, const GenericType& type, ExprPtr& value) {
        const ClassFile& owner = _typer.owner();
        if (field.owner == owner.thisClass && _typer.declaresVariable(owner, type.variable)) return;
        storedAsVariable(type, field.type, value);
    }

    // A value of another parameterization stored in a generic field, as in
    // `this.entries = entries` of an Iterable<Sub<K>> into an
    // Iterable<Entry<K>>: the raw type converts unchecked.
    void storedInField(const GenericType& field, const JavaType& erased, ExprPtr& value) {
        if (field.kind != GenericType::Kind::Class || field.dimensions || !field.hasArguments()) return;
        if (erased.base != 'L' || accepts(field, *value)) return;
        GenericPtr type = _typer.typeOf(*value);
        if (!type || type->kind != GenericType::Kind::Class || !type->hasArguments()) return;
        if (!_typer.hierarchy().isSubtype(value->type, erased)) return;
        value = rawCast(erased, value);
    }

    // `new ArrayList()` into a `List<T>`: the diamond, where the constructor's
    // parameters do not take part in the inference.
    void diamond(const GenericType& target, Expr& creation) {
        if (target.kind != GenericType::Kind::Class || !target.hasArguments() || creation.type.isArray()) return;
        const ClassFile* file = _typer.hierarchy().find(creation.type.className);
        if (!file || !_typer.isGenericClass(*file)) return;
        for (const InnerClass& inner : file->innerClasses) {
            // anonymous, local and inner classes: their creation is printed otherwise
            const bool member = !inner.outerClass.empty() && (inner.access & access::Static);
            if (inner.innerClass == file->thisClass && !member) return;
        }
        for (const Method& m : file->methods) {
            if (m.name == "<init>" && m.descriptor == creation.descriptor && !m.signature.empty()) return;
        }
        if (!_typer.hierarchy().isSubtype(creation.type, _typer.erasureOf(target))) return;
        changed();
        creation.op = "<>";
    }

    void arguments(Expr& call) {
        const size_t first = call.isStatic || call.kind == ExprKind::New ? 0 : 1;
        if (first == 1) wildcardReceiver(call);
        if (call.args.size() <= first) return;  // no argument to cast
        auto erasedTypes = methodTypeOf(call.descriptor);
        // Primitive parameters (not arrays of them) take no cast.
        if (!erasedTypes || std::none_of(erasedTypes->parameters.begin(), erasedTypes->parameters.end(),
                                         [](const JavaType& t) { return t.isReference(); })) return;
        const std::vector<GenericPtr> parameters = _typer.parameterTypes(call);
        if (parameters.empty()) return;
        // Asked only where an argument's cast depends on it: the walk is costly.
        std::optional<bool> knownOverloaded;
        auto overloaded = [&] {
            if (!knownOverloaded) {
                const std::string& name = call.kind == ExprKind::New ? constructorName() : call.name;
                knownOverloaded = _typer.hierarchy().mayOverload(call.owner, name, call.descriptor, true);
            }
            return *knownOverloaded;
        };
        for (size_t i = 0; i < parameters.size() && first + i < call.args.size(); ++i) {
            ExprPtr& argument = call.args[first + i];
            if (argument->kind == ExprKind::Lambda) {
                lambdaArgument(call, first + i);
                continue;
            }
            const GenericType* parameter = parameters[i].get();
            // (An array of a primitive type is a reference.)
            if (parameter && parameter->kind == GenericType::Kind::Primitive && parameter->dimensions == 0) continue;
            if (argument->kind == ExprKind::Cast && argument->args[0]->kind == ExprKind::Null && !argument->generic) {
                nullArgument(parameter, overloaded(), erasedTypes ? &erasedTypes->parameters[i] : nullptr, argument);
                continue;
            }
            if (!overloaded() && erasedTypes && boundedByTargetAlone(call, i, *argument)) {
                argument = rawCast(erasedTypes->parameters[i], argument);
                continue;
            }
            if (!parameter || accepts(*parameter, *argument)) continue;
            if (overloaded()) {
                overloadedArgument(*parameter, argument);
                continue;
            }
            const JavaType erased = _typer.erasureOf(*parameter);
            if (parameter->kind == GenericType::Kind::Variable) {
                if (argument->type.isReference()) argument = genericCast(*parameter, erased, argument);
                continue;
            }
            // A concrete type the erased parameter does not say: the value
            // must have it.
            const bool differs = erasedTypes && !sameType(erased, erasedTypes->parameters[i]);
            if (!differs && otherParameterization(call, *parameter, *argument)) {
                argument = rawCast(erased, argument);
                continue;
            }
            if (!differs || !argument->type.isReference() || _typer.hierarchy().isSubtype(argument->type, erased)) continue;
            argument = rawCast(erased, argument);
        }
    }

    // `super(coll)` with a `Collection<? extends E>` for a `Collection<E>`:
    // the source's unchecked cast left no trace; the raw type converts. Only
    // where no result is used, since an unchecked call's result is erased.
    bool otherParameterization(const Expr& call, const GenericType& parameter, const Expr& argument) const {
        if (parameter.kind != GenericType::Kind::Class || !parameter.hasArguments() || argument.kind == ExprKind::Cast) {
            return false;
        }
        const bool noResult = call.kind == ExprKind::New || call.name == "<init>" ||
                              (call.type.base == 'V' && call.type.dimensions == 0);
        if (!noResult || !argument.type.isReference() || argument.type.base != 'L') return false;
        GenericPtr type = _typer.typeOf(argument);
        return type && type->kind == GenericType::Kind::Class && type->hasArguments() && !type->dimensions;
    }

    // A class's variable parameter of an overloaded method: the value as it
    // is might select another overload (`put(T)` beside `put(String)`), and
    // a cast to the erasure would not convert to the variable, so the cast
    // names the variable itself.
    void overloadedArgument(const GenericType& parameter, ExprPtr& argument) {
        if (parameter.kind != GenericType::Kind::Variable || !argument->type.isReference()) return;
        if (argument->kind == ExprKind::Null || !_typer.inScope(parameter)) return;
        argument = genericCast(parameter, _typer.erasureOf(parameter), argument);
    }

    // `Ordering.natural()` for a `Comparator<? super E>`: a result only the
    // target infers, of a variable with a bound, which the target's
    // variables need not meet; through the raw type nothing is inferred.
    bool boundedByTargetAlone(const Expr& call, size_t index, const Expr& argument) const {
        if (argument.kind != ExprKind::Invoke || argument.type.base != 'L') return false;
        const GenericType* parameter = _typer.declaredParameter(call, index);
        return parameter && parameter->kind == GenericType::Kind::Class && !parameter->dimensions &&
               mentionsVariable(*parameter) && _typer.inferredFromBoundedTarget(argument);
    }

    // `c.compareTo(x)` on a `Comparable<?>`: no value but null converts to a
    // parameter typed by the wildcard's capture; through the raw type the
    // erased parameter, which the call's descriptor names, takes it.
    // So does a receiver whose type arguments only the target could infer,
    // as `Stream.empty().collect(c)`: javac types it `Stream<Object>` there.
    void wildcardReceiver(Expr& call) {
        if (call.kind != ExprKind::Invoke || call.invoke == InvokeKind::Super || call.args.size() < 2) return;
        ExprPtr& receiver = call.args[0];
        if (receiver->kind == ExprKind::This || receiver->kind == ExprKind::Cast || receiver->type.base != 'L') return;
        GenericPtr type = _typer.typeOf(*receiver);
        const bool inferredFromTarget = !type && receiver->kind == ExprKind::Invoke && _typer.resultInferred(*receiver);
        const bool wildcard = type && type->kind == GenericType::Kind::Class && !type->dimensions && hasWildcard(*type);
        if (!wildcard && !inferredFromTarget) return;
        const std::vector<size_t> variable = _typer.variableArguments(call);
        if (variable.empty()) return;
        if (_typer.hierarchy().mayOverload(call.owner, call.name, call.descriptor, true)) return;
        if (wildcard && !inferredFromTarget && !needsCapture(call, variable)) return;
        receiver = rawCast(receiver->type, receiver);
    }

    // An argument goes to a parameter that only a wildcard's capture types
    // (`? extends X`, `?`); one that `? super X` types takes an X, and a cast
    // to it, where needed, says what the source did.
    // A method reference takes its function type from the capture and
    // names the method the class file does; through the raw type it would
    // be given erased parameters the method may not take.
    bool needsCapture(const Expr& call, const std::vector<size_t>& variable) const {
        const std::vector<GenericPtr> parameters = _typer.parameterTypes(call);
        if (parameters.empty()) return true;
        for (size_t i : variable) {
            if (1 + i < call.args.size() && isMethodReference(*call.args[1 + i])) continue;
            if (i >= parameters.size() || !parameters[i]) return true;
        }
        return false;
    }

    static bool isMethodReference(const Expr& e) {
        return e.kind == ExprKind::Lambda && e.lambda->implName.rfind("lambda$", 0) != 0;
    }

    static bool hasWildcard(const GenericType& type) {
        for (const ClassTypePart& part : type.parts) {
            for (const TypeArgument& argument : part.arguments) {
                if (argument.kind == '*' || argument.kind == '+') return true;
            }
        }
        return false;
    }

    // A lambda whose parameters the call types as the synthetic method does:
    // `x -> ...` says enough.
    void lambdaArgument(const Expr& call, size_t index) {
        LambdaSite& site = *call.args[index]->lambda;
        auto implicitTypes = _typer.lambdaParameterTypes(call, index);
        auto samErased = methodTypeOf(site.samDescriptor);
        auto impl = methodTypeOf(site.implDescriptor);
        if (implicitTypes.empty() || !samErased || !impl || samErased->parameters.size() != implicitTypes.size() ||
            impl->parameters.size() < implicitTypes.size()) return;
        // The synthetic method takes the captured values first.
        const size_t own = impl->parameters.size() - implicitTypes.size();
        for (size_t k = 0; k < implicitTypes.size(); ++k) {
            const GenericType& type = *implicitTypes[k];
            if (type.kind == GenericType::Kind::Primitive) return;
            if (!sameType(_typer.erasureOf(type), impl->parameters[own + k])) return;
        }
        changed();
        site.contextTyped = true;
    }

    // `(Object) null` for a parameter of a generic type: cast to what the
    // parameter is here, or bare where no other method could take it (and
    // no varargs array could be meant).
    void nullArgument(const GenericType* parameter, bool overloaded, const JavaType* erasedParameter, ExprPtr& argument) {
        if (parameter && parameter->kind == GenericType::Kind::Variable &&
            (!overloaded || sameType(_typer.erasureOf(*parameter), argument->type))) {
            changed();
            argument->generic = share(*parameter);
            argument->type = _typer.erasureOf(*parameter);
            return;
        }
        if (overloaded || !erasedParameter || erasedParameter->isArray()) return;
        if (!parameter) {
            changed();
            argument = argument->args[0];
            return;
        }
        const JavaType erased = _typer.erasureOf(*parameter);
        if (!sameType(erased, argument->type) && _typer.hierarchy().isSubtype(erased, argument->type)) {
            changed();
            argument->type = erased;
        }
    }

    // `return this` (or a local, a field) whose type is another
    // parameterization of the declared result, as in `Ordering<S> reverse()`
    // of an `Ordering<Object>`: the raw type converts unchecked.
    void returned(ExprPtr& value) {
        const MethodSignature* signature = _typer.methodSignature();
        if (!signature || !value->type.isReference() || value->type.base != 'L') return;
        const GenericType& declared = signature->result;
        if (declared.kind == GenericType::Kind::Variable) return returnedAsOuterVariable(declared, value);
        if (declared.kind != GenericType::Kind::Class || !declared.hasArguments()) return;
        // The source's own cast, or one the printer's return cast covers.
        if ((value->kind == ExprKind::Cast && value->generic) || value->kind == ExprKind::Invoke ||
            value->kind == ExprKind::Conditional) return;
        // An anonymous class is its supertype as the creation here names it.
        const bool anonymous = value->kind == ExprKind::New && _typer.isAnonymousType(value->type);
        GenericPtr type = anonymous ? _typer.anonymousSupertype(value->type) : _typer.typeOf(*value);
        if (!type || type->kind != GenericType::Kind::Class) return;
        if (declared.dimensions || type->dimensions) return returnedArray(declared, *type, value);
        auto seen = _typer.asSuper(*type, declared.className());
        if (seen && sameGeneric(*seen, declared)) return;
        // Raw on the way, or not a subtype the hierarchy knows: left as it is.
        if (!seen) return;
        const JavaType erased = _typer.erasureOf(declared);
        if (!_typer.hierarchy().isSubtype(value->type, erased)) return;
        value = rawCast(erased, value);
    }

    // `return a.clone()` of a `Shape<? super T>[]` for a `Shape<T>[]`: arrays
    // of other parameterizations convert through the raw array type.
    void returnedArray(const GenericType& declared, const GenericType& type, ExprPtr& value) {
        if (declared.dimensions != type.dimensions || sameGeneric(declared, type)) return;
        const JavaType erased = _typer.erasureOf(declared);
        if (!_typer.hierarchy().isSubtype(value->type, erased)) return;
        value = rawCast(erased, value);
    }

    // `return v` for a result typed by a variable of a class or method
    // around this one (a method of an anonymous class): `(E) v`, as the
    // value was typed erased. The method's and the class's own variables
    // get the printer's return cast.
    void returnedAsOuterVariable(const GenericType& declared, ExprPtr& value) {
        if (value->kind == ExprKind::Null || !_typer.inScope(declared)) return;
        if (value->kind == ExprKind::Cast) {
            // javac's checkcast to the variable's erasure: the cast the source wrote to the variable.
            if (!value->generic && sameType(value->type, _typer.erasureOf(declared)) && !ownVariable(declared)) {
                changed();
                value->generic = share(declared);
            }
            return;
        }
        if (ownVariable(declared)) return;
        GenericPtr type = _typer.typeOf(*value);
        if (type && sameGeneric(*type, declared)) return;
        const JavaType erased = _typer.erasureOf(declared);
        const Hierarchy& h = _typer.hierarchy();
        if (!sameType(erased, value->type) && !h.isSubtype(erased, value->type) && !h.isSubtype(value->type, erased)) return;
        value = genericCast(declared, erased, value);
    }

    // A variable of the method or of its class, which the printer's return cast covers.
    bool ownVariable(const GenericType& variable) const {
        for (const TypeParameter& own : _typer.methodSignature()->typeParameters) {
            if (own.name == variable.variable) return true;
        }
        const ClassFile& owner = _typer.owner();
        return _typer.isGenericClass(owner) && _typer.declaresVariable(owner, variable.variable);
    }

    // `throw t` where only the method's `throws T` covers it: `throw (T) t`.
    void thrown(ExprPtr& value) {
        const GenericType* variable = _typer.thrownVariable();
        if (!variable || !value->type.isReference() || value->kind == ExprKind::Null) return;
        const Hierarchy& h = _typer.hierarchy();
        if (h.isSubtype(value->type, objectType("java/lang/RuntimeException")) ||
            h.isSubtype(value->type, objectType("java/lang/Error"))) return;
        if (const MethodSignature* signature = _typer.methodSignature()) {
            for (const GenericType& declared : signature->exceptions) {
                if (declared.kind == GenericType::Kind::Class && h.isSubtype(value->type, objectType(declared.className()))) return;
            }
        }
        GenericPtr type = _typer.typeOf(*value);
        if (type && sameGeneric(*type, *variable)) return;
        value = genericCast(*variable, _typer.erasureOf(*variable), value);
    }

    const GenericTyper& _typer;
    Budget& _budget;
};

}  // namespace

void castGenericValues(StmtList& body, const GenericTyper& typer, Budget& budget) {
    GenericCasts(typer, budget).run(body);
}

}  // namespace jad::body
