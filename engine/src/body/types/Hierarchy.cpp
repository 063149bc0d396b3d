#include "body/types/Hierarchy.h"

#include <algorithm>
#include <set>
#include <vector>

#include "body/ir/Ir.h"
#include "classfile/AccessFlags.h"
#include "classfile/Descriptor.h"

namespace jad::body {

namespace {

// Beyond this a chain of supertypes is taken to be a malformed loop.
constexpr int MaxDepth = 64;
constexpr size_t MaxClassesWalked = 256;

const std::string& objectName() {
    static const std::string name = "java/lang/Object";
    return name;
}

struct Own {
    const char* name;
    const char* descriptor;
};

// Object is in every hierarchy and may not be readable; its methods.
const Own objectMethods[] = {
        {"equals", "(Ljava/lang/Object;)Z"}, {"hashCode", "()I"}, {"toString", "()Ljava/lang/String;"},
        {"getClass", "()Ljava/lang/Class;"}, {"notify", "()V"}, {"notifyAll", "()V"}, {"wait", "()V"},
        {"wait", "(J)V"}, {"wait", "(JI)V"}, {"clone", "()Ljava/lang/Object;"}, {"finalize", "()V"},
};

// The part of a method descriptor a call selects by: "(ILjava/lang/Object;)".
std::string parametersOf(const std::string& descriptor) { return descriptor.substr(0, descriptor.find(')') + 1); }

// Which descriptors of a name are the called method itself: its own, or
// with `parameters` set, any of the parameter lists there (a covariant
// redeclaration, a method a bridge says is overridden).
struct SameMethod {
    const std::string& descriptor;
    const std::set<std::string>* parameters = nullptr;

    bool other(const std::string& candidate) const {
        return parameters ? !parameters->count(parametersOf(candidate)) : candidate != descriptor;
    }
};

bool objectHasOverload(const std::string& name, size_t arity, const SameMethod& same) {
    for (const Own& m : objectMethods) {
        if (name == m.name && same.other(m.descriptor) && parameterCount(m.descriptor) == arity) return true;
    }
    return false;
}

bool declaresField(const ClassFile& file, const std::string& name) {
    for (const Field& f : file.fields) {
        if (f.name == name) return true;
    }
    return false;
}

// Synthetic methods (bridges, accessors) are invisible to source.
bool declaresOverload(const ClassFile& file, const std::string& name, size_t arity, const SameMethod& same) {
    for (const Method& m : file.methods) {
        if (m.name != name || !same.other(m.descriptor) || (m.access & access::Synthetic)) continue;
        if (parameterCount(m.descriptor) == arity) return true;
    }
    return false;
}

// Primitive widening (JLS 5.1.2), identity included.
bool widens(char from, char to) {
    if (from == to) return true;
    switch (from) {
    case 'B': return to == 'S' || to == 'I' || to == 'J' || to == 'F' || to == 'D';
    case 'S': case 'C': return to == 'I' || to == 'J' || to == 'F' || to == 'D';
    case 'I': return to == 'J' || to == 'F' || to == 'D';
    case 'J': return to == 'F' || to == 'D';
    case 'F': return to == 'D';
    default: return false;
    }
}

bool isPlainClass(const JavaType& t) { return t.dimensions == 0 && t.base == 'L'; }
bool isObjectType(const JavaType& t) { return isPlainClass(t) && t.className == objectName(); }
bool arraySupertype(const JavaType& t) {
    return isPlainClass(t) && (t.className == objectName() || t.className == "java/lang/Cloneable" ||
                               t.className == "java/io/Serializable");
}

}  // namespace

const Hierarchy::Supertypes& Hierarchy::supertypes(const std::string& cls) const {
    auto known = _memo->supertypes.find(cls);
    if (known != _memo->supertypes.end()) return known->second;
    return _memo->supertypes.emplace(cls, walkSupertypes(cls)).first->second;
}

Hierarchy::Supertypes Hierarchy::walkSupertypes(const std::string& cls) const {
    std::set<std::string> seen;
    std::vector<std::string> pending{cls};
    while (!pending.empty()) {
        const std::string next = pending.back();
        pending.pop_back();
        if (!seen.insert(next).second || next == objectName()) continue;
        if (seen.size() > MaxClassesWalked) return std::nullopt;
        const ClassFile* file = find(next);
        if (!file) return std::nullopt;
        if (!file->superClass.empty()) pending.push_back(file->superClass);
        for (const std::string& i : file->interfaces) pending.push_back(i);
    }
    seen.insert(objectName());
    return seen;
}

bool Hierarchy::isSubtype(const JavaType& sub, const JavaType& super) const {
    if (!sub.isReference() || !super.isReference()) {
        return !sub.isReference() && !super.isReference() && widens(sub.base, super.base);
    }
    if (sameType(sub, super) || isObjectType(super)) return true;
    if (sub.isArray()) {
        if (!super.isArray()) return arraySupertype(super);
        const JavaType a = sub.elementType(), b = super.elementType();
        return a.isReference() && b.isReference() && isSubtype(a, b);
    }
    if (super.isArray() || sub.className.empty()) return false;
    const auto& all = supertypes(sub.className);
    return all && all->count(super.className) > 0;
}

bool Hierarchy::surelyNotAssignable(const JavaType& from, const JavaType& to) const {
    if (from.isReference() != to.isReference()) return true;  // only boxing would take it
    if (!from.isReference()) return !widens(from.base, to.base);
    if (isObjectType(to) || isSubtype(from, to)) return false;
    if (from.isArray() && to.isArray()) {
        // Arrays of primitives convert to nothing but their own type.
        const JavaType a = from.elementType(), b = to.elementType();
        if (!a.isReference() || !b.isReference()) return !sameType(a, b);
        return surelyNotAssignable(a, b);
    }
    if (from.isArray()) return !to.isArray() && !arraySupertype(to);
    if (to.isArray()) return true;
    if (from.className.empty()) return false;
    return supertypes(from.className).has_value();  // all known, and `to` is not among them
}

bool Hierarchy::selects(const std::string& cls, const std::string& name, const std::string& descriptor,
                        const std::vector<JavaType>& arguments) const {
    const auto target = methodTypeOf(descriptor);
    if (!target || target->parameters.size() != arguments.size() || name == "<init>") return false;
    const size_t arity = arguments.size();
    const auto& all = supertypes(cls);
    if (!all) return false;
    std::vector<std::string> others;
    for (const std::string& type : *all) {
        if (type == objectName()) continue;
        for (const Method& m : find(type)->methods) {
            if (m.name == name && m.descriptor != descriptor && !(m.access & access::Synthetic) &&
                parameterCount(m.descriptor) == arity) others.push_back(m.descriptor);
        }
    }
    for (const Own& m : objectMethods) {
        if (name == m.name && descriptor != m.descriptor && parameterCount(m.descriptor) == arity) others.push_back(m.descriptor);
    }
    for (const std::string& other : others) {
        const auto candidate = methodTypeOf(other);
        if (!candidate) return false;
        bool excluded = false, lessSpecific = true;
        for (size_t i = 0; i < arity; ++i) {
            const JavaType& param = target->parameters[i];
            const JavaType& printed = arguments[i];
            excluded = excluded || surelyNotAssignable(printed, candidate->parameters[i]);
            lessSpecific = lessSpecific && isSubtype(param, candidate->parameters[i]);
        }
        if (!excluded && !lessSpecific) return false;
    }
    // The method itself must take the arguments as printed.
    for (size_t i = 0; i < arity; ++i) {
        if (!isSubtype(arguments[i], target->parameters[i])) return false;
    }
    return true;
}

const Method* Hierarchy::declaration(const std::string& cls, const std::string& name,
                                     const std::string& descriptor) const {
    std::vector<std::string> pending{cls};
    std::set<std::string> seen;
    while (!pending.empty() && seen.size() < MaxClassesWalked) {
        const std::string next = pending.front();
        pending.erase(pending.begin());
        if (!seen.insert(next).second) continue;
        const ClassFile* file = find(next);
        if (!file) continue;
        for (const Method& m : file->methods) {
            if (m.name == name && m.descriptor == descriptor) return &m;
        }
        if (!file->superClass.empty()) pending.push_back(file->superClass);
        for (const std::string& i : file->interfaces) pending.push_back(i);
    }
    return nullptr;
}

bool Hierarchy::surelyLacks(const std::string& cls, const std::string& name, bool isMethod) const {
    const auto& all = supertypes(cls);
    if (!all) return false;
    if (isMethod) {
        for (const Own& m : objectMethods) {
            if (name == m.name) return false;
        }
    }
    for (const std::string& type : *all) {
        if (type == objectName()) continue;
        const ClassFile* file = find(type);
        if (!file) return false;
        if (!isMethod && declaresField(*file, name)) return false;
        if (isMethod && std::any_of(file->methods.begin(), file->methods.end(), [&](const Method& m) { return m.name == name; })) {
            return false;
        }
    }
    return true;
}

const ClassFile* Hierarchy::find(const std::string& cls) const {
    if (cls == _self.thisClass) return &_self;
    return _unit ? _unit->findType(cls) : nullptr;
}

std::optional<std::string> Hierarchy::fieldOwner(const std::string& cls, const std::string& name) const {
    return fieldOwner(cls, name, 0);
}

std::optional<std::string> Hierarchy::fieldOwner(const std::string& cls, const std::string& name, int depth) const {
    if (cls == objectName()) return std::string();
    if (depth > MaxDepth) return std::nullopt;
    const ClassFile* file = find(cls);
    if (!file) return std::nullopt;
    if (declaresField(*file, name)) return cls;
    std::optional<std::string> found = std::string();
    auto merge = [&](const std::string& super) {
        if (super.empty() || !found) return;
        std::optional<std::string> there = fieldOwner(super, name, depth + 1);
        if (!there) found = std::nullopt;
        else if (found->empty()) found = there;
        else if (!there->empty() && *there != *found) found = std::nullopt;  // ambiguous
    };
    merge(file->superClass);
    for (const std::string& i : file->interfaces) merge(i);
    return found;
}

bool Hierarchy::mayOverload(const std::string& cls, const std::string& name, const std::string& descriptor,
                            bool byParameters) const {
    // The class's own constructors as the body sees them: a class may be
    // printed from a copy that leaves them out.
    if (cls == _self.thisClass && name == "<init>") return searchOverload(cls, name, descriptor, byParameters);
    std::string key = overloadKey(cls, name, descriptor, byParameters);
    auto known = _memo->overloads.find(key);
    if (known != _memo->overloads.end()) return known->second;
    const bool answer = searchOverload(cls, name, descriptor, byParameters);
    _memo->overloads.emplace(std::move(key), answer);
    return answer;
}

bool Hierarchy::searchOverload(const std::string& cls, const std::string& name, const std::string& descriptor,
                               bool byParameters) const {
    const auto arity = parameterCount(descriptor);
    if (!arity) return true;
    if (name == "<init>") {
        const ClassFile* file = find(cls);
        return !file || declaresOverload(*file, name, *arity, SameMethod{descriptor});
    }
    const auto& all = supertypes(cls);
    if (!all) return true;
    // A bridge stands for a method its class overrides with other erased
    // parameters: what it bridges is no other method.
    std::set<std::string> parameters{parametersOf(descriptor)};
    for (const std::string& type : *all) {
        const ClassFile* file = byParameters && type != objectName() ? find(type) : nullptr;
        if (!file) continue;
        for (const Method& m : file->methods) {
            if (m.name == name && (m.access & access::Bridge)) parameters.insert(parametersOf(m.descriptor));
        }
    }
    const SameMethod same{descriptor, byParameters ? &parameters : nullptr};
    for (const std::string& type : *all) {
            if (type != objectName() && declaresOverload(*find(type), name, *arity, same)) return true;
    }
    // Every class and interface has Object's methods as members.
    return objectHasOverload(name, *arity, same);
}

}  // namespace jad::body
