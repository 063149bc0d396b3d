#include "decl/members/InPlaceLocals.h"

#include <algorithm>
#include <map>

#include "classfile/AccessFlags.h"
#include "classfile/Descriptor.h"
#include "decl/parts/AnonymousConstructor.h"
#include "decl/parts/LocalClasses.h"

namespace jad {

namespace {

const Field* fieldNamed(const ClassFile& file, const std::string& name) {
    for (const Field& f : file.fields) {
        if (f.name == name) return &f;
    }
    return nullptr;
}

const Method* enclosingMethodOf(const ClassFile& local, const ClassFile& outer) {
    if (!local.enclosingMethod || local.enclosingMethod->methodName.empty()) return nullptr;
    for (const Method& m : outer.methods) {
        if (m.name == local.enclosingMethod->methodName && m.descriptor == local.enclosingMethod->methodDescriptor) return &m;
    }
    return nullptr;
}

// Records, enums and interfaces are static wherever they are declared.
bool isStaticKind(const ClassFile& file) {
    return file.record || (file.access & (access::Interface | access::Enum)) != 0;
}

// The capture fields the trailing parameters of `constructor` fill, in
// order, as its first steps store them; empty when it stores none of them.
std::vector<std::string> storedCaptures(const ClassFile& local, const Method& constructor, size_t count,
                                        size_t parameters) {
    const std::vector<std::string> stored = readPrologueStores(local, constructor);
    if (stored.size() != parameters || count > parameters) return {};
    std::vector<std::string> fields(stored.end() - static_cast<long>(count), stored.end());
    for (const std::string& f : fields) {
        const Field* declared = fieldNamed(local, f);
        if (!declared || !isCaptureField(*declared)) return {};
    }
    return fields;
}

bool trailingTypesFit(const MethodType& type, const LocalClassShape& shape, const ClassFile& local) {
    const size_t count = shape.captureFields.size();
    const size_t start = type.parameters.size() - count;
    for (size_t i = 0; i < count; ++i) {
        const Field* f = fieldNamed(local, shape.captureFields[i]);
        if (!f || type.parameters[start + i].descriptor() != f->descriptor) return false;
    }
    return true;
}

void collectClasses(const ClassNode& node, std::vector<const ClassNode*>& into) {
    into.push_back(&node);
    for (const ClassNode& member : node.members) collectClasses(member, into);
    for (const ClassNode& anonymous : node.anonymous) collectClasses(anonymous, into);
    for (const ClassNode& local : node.locals) collectClasses(local, into);
}

bool listsClass(const ClassFile& file, const std::string& name) {
    for (const InnerClass& inner : file.innerClasses) {
        if (inner.innerClass == name) return true;
    }
    return false;
}

void memberNames(const ClassNode& node, std::map<std::string, int>& names) {
    for (const ClassNode& member : node.members) {
        ++names[member.name];
        memberNames(member, names);
    }
    for (const ClassNode& anonymous : node.anonymous) memberNames(anonymous, names);
    for (const ClassNode& local : node.locals) {
        ++names[local.name];
        memberNames(local, names);
    }
}

// `local`'s own tree, the class whose method declares it and the classes
// around that one (whose code cannot see it) may name it.
void checkReferrers(const std::vector<const ClassNode*>& around, const ClassNode& local,
                    const std::vector<const ClassNode*>& all, std::set<std::string>& misplaced) {
    std::vector<const ClassNode*> own;
    collectClasses(local, own);
    for (const ClassNode* node : all) {
        if (std::find(around.begin(), around.end(), node) != around.end()) continue;
        if (std::find(own.begin(), own.end(), node) != own.end()) continue;
        if (listsClass(node->file, local.file.thisClass)) misplaced.insert(local.file.thisClass);
    }
}

// The superclass's constructor takes no enclosing instance or captured
// values the body would have to pass: a top-level or static class.
bool plainSuperclass(const ClassFile& local) {
    for (const InnerClass& inner : local.innerClasses) {
        if (inner.innerClass != local.superClass) continue;
        return !inner.outerClass.empty() && !inner.simpleName.empty() && (inner.access & access::Static);
    }
    return true;
}

void checkTree(const ClassNode& node, std::vector<const ClassNode*>& around, const std::vector<const ClassNode*>& all,
               std::map<std::string, int>& names, std::set<std::string>& misplaced) {
    around.push_back(&node);
    for (const ClassNode& local : node.locals) {
        if (names[local.name] != 1 || !plainSuperclass(local.file)) misplaced.insert(local.file.thisClass);
        checkReferrers(around, local, all, misplaced);
    }
    for (const ClassNode& member : node.members) checkTree(member, around, all, names, misplaced);
    for (const ClassNode& anonymous : node.anonymous) checkTree(anonymous, around, all, names, misplaced);
    for (const ClassNode& local : node.locals) checkTree(local, around, all, names, misplaced);
    around.pop_back();
}

}  // namespace

std::optional<LocalClassShape> readLocalClassShape(const ClassFile& local, const ClassFile& outer) {
    const Method* method = enclosingMethodOf(local, outer);
    if (!method) return std::nullopt;
    size_t captures = 0;
    for (const Field& f : local.fields) captures += isCaptureField(f) ? 1 : 0;
    LocalClassShape shape;
    shape.outerParameter = !(method->access & access::Static) && !isStaticKind(local);
    if (isStaticKind(local) && captures) return std::nullopt;
    const size_t hidden = captures + (shape.outerParameter ? 1 : 0);
    std::vector<const Method*> constructors;
    for (const Method& m : local.methods) {
        if (m.name != "<init>") continue;
        auto type = methodTypeOf(m.descriptor);
        if (!type || type->parameters.size() < hidden) return std::nullopt;
        const JavaType& first = type->parameters.empty() ? JavaType() : type->parameters[0];
        if (shape.outerParameter && (first.base != 'L' || first.isArray() || first.className != outer.thisClass)) {
            return std::nullopt;
        }
        if (captures && shape.captureFields.empty()) {
            shape.captureFields = storedCaptures(local, m, captures, type->parameters.size());
        }
        constructors.push_back(&m);
    }
    if (shape.captureFields.size() != captures) return std::nullopt;
    for (const Method* m : constructors) {
        if (!trailingTypesFit(*methodTypeOf(m->descriptor), shape, local)) return std::nullopt;
        // One that stores them stores them all in the same order.
        auto stored = storedCaptures(local, *m, captures, methodTypeOf(m->descriptor)->parameters.size());
        if (!stored.empty() && stored != shape.captureFields) return std::nullopt;
    }
    return shape;
}

std::set<std::string> misplacedLocals(const ClassNode& root) {
    std::vector<const ClassNode*> all;
    collectClasses(root, all);
    std::map<std::string, int> names;
    ++names[root.name];
    memberNames(root, names);
    std::set<std::string> misplaced;
    std::vector<const ClassNode*> around;
    checkTree(root, around, all, names, misplaced);
    return misplaced;
}

std::set<std::string> inPlaceLocals(const ClassNode& root) {
    std::vector<const ClassNode*> all;
    collectClasses(root, all);
    std::set<std::string> names;
    for (const ClassNode* node : all) {
        for (const ClassNode& local : node->locals) names.insert(local.file.thisClass);
    }
    return names;
}

}  // namespace jad
