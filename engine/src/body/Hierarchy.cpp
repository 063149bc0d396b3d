#include "body/Hierarchy.h"

#include <set>
#include <vector>

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

// Object is in every hierarchy and never beside the input; its methods by
// name and arity.
bool objectHasOverload(const std::string& name, size_t arity, const std::string& descriptor) {
    struct Own {
        const char* name;
        const char* descriptor;
    };
    static const Own methods[] = {
        {"equals", "(Ljava/lang/Object;)Z"}, {"hashCode", "()I"}, {"toString", "()Ljava/lang/String;"},
        {"getClass", "()Ljava/lang/Class;"}, {"notify", "()V"}, {"notifyAll", "()V"}, {"wait", "()V"},
        {"wait", "(J)V"}, {"wait", "(JI)V"}, {"clone", "()Ljava/lang/Object;"}, {"finalize", "()V"},
    };
    for (const Own& m : methods) {
        if (name == m.name && descriptor != m.descriptor && parameterCount(m.descriptor) == arity) return true;
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
bool declaresOverload(const ClassFile& file, const std::string& name, size_t arity, const std::string& descriptor) {
    for (const Method& m : file.methods) {
        if (m.name != name || m.descriptor == descriptor || (m.access & access::Synthetic)) continue;
        if (parameterCount(m.descriptor) == arity) return true;
    }
    return false;
}

}  // namespace

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

bool Hierarchy::mayOverload(const std::string& cls, const std::string& name, const std::string& descriptor) const {
    const auto arity = parameterCount(descriptor);
    if (!arity) return true;
    if (name == "<init>") {
        const ClassFile* file = find(cls);
        return !file || declaresOverload(*file, name, *arity, descriptor);
    }
    std::vector<std::string> pending{cls};
    std::set<std::string> seen;
    while (!pending.empty()) {
        const std::string next = pending.back();
        pending.pop_back();
        if (!seen.insert(next).second) continue;
        if (seen.size() > MaxClassesWalked) return true;
        if (next == objectName()) continue;
        const ClassFile* file = find(next);
        if (!file || declaresOverload(*file, name, *arity, descriptor)) return true;
        if (!file->superClass.empty()) pending.push_back(file->superClass);
        for (const std::string& i : file->interfaces) pending.push_back(i);
    }
    // Every class and interface has Object's methods as members.
    return objectHasOverload(name, *arity, descriptor);
}

}  // namespace jad::body
