#include "decl/members/ClassTree.h"

#include <set>

#include "classfile/AccessFlags.h"
#include "classfile/ClassReader.h"
#include "decl/parts/LocalClasses.h"

namespace jad {

namespace {

// Deeper nesting than this is not from a compiler; it also stops cycles.
constexpr int MaxDepth = 16;
// Bounds the work one input can cause through its siblings.
constexpr size_t MaxClasses = 2000;

std::string lastSegment(const std::string& internalName) {
    size_t slash = internalName.rfind('/');
    return slash == std::string::npos ? internalName : internalName.substr(slash + 1);
}

class TreeBuilder {
public:
    TreeBuilder(const SiblingFiles& siblings, bool modern) : _siblings(siblings), _modern(modern) {}

    void addMembers(ClassNode& node, int depth) {
        for (const InnerClass& inner : node.file.innerClasses) {
            if (inner.outerClass != node.file.thisClass || inner.simpleName.empty()) continue;
            if (inner.innerClass == node.file.thisClass) continue;
            if (!_seen.insert(inner.innerClass).second) continue;
            if (depth >= MaxDepth || _seen.size() > MaxClasses) {
                node.notes.push_back(lastSegment(inner.innerClass) + ": nested too deeply");
                continue;
            }
            std::optional<ClassNode> member = load(node, inner);
            if (!member) continue;
            addMembers(*member, depth + 1);
            node.members.push_back(std::move(*member));
        }
        addLocalClasses(node, depth);
        addAnonymousClasses(node, depth);
    }

    void markSeen(const std::string& name) { _seen.insert(name); }

private:
    // The local classes declared in the methods of `node`'s class, as its
    // member classes: the dialect has no class declarations in blocks.
    void addLocalClasses(ClassNode& node, int depth) {
        const std::string& self = node.file.thisClass;
        std::set<std::string> taken{node.name};
        std::vector<InnerClass> locals;
        for (const InnerClass& inner : node.file.innerClasses) {
            if (inner.outerClass == self) taken.insert(inner.simpleName);
            if (inner.outerClass.empty() && !inner.simpleName.empty() && inner.innerClass != self) locals.push_back(inner);
        }
        for (const InnerClass& inner : locals) {
            if (_seen.count(inner.innerClass)) continue;
            if (depth >= MaxDepth || _seen.size() > MaxClasses || ++_localReads > MaxClasses) return;
            // A local class of another class's method may be listed too.
            std::optional<ClassNode> member = load(node, inner, false);
            if (!member || !isLocalClassOf(member->file, self)) continue;
            const bool keepsOuter = hasOuterInstance(member->file);
            // A member of an interface cannot be an inner class.
            if (keepsOuter && (node.file.access & access::Interface)) continue;
            _seen.insert(inner.innerClass);
            const std::string name = distinctName(inner.simpleName, taken);
            taken.insert(name);
            const uint16_t kept = inner.access & (access::Abstract | access::Final);
            const uint16_t flags = static_cast<uint16_t>(kept | (keepsOuter ? 0 : access::Static));
            declareAsMember(node.file, inner.innerClass, self, name, flags);
            declareAsMember(member->file, inner.innerClass, self, name, flags);
            if (_modern) adoptMethodTypeParameters(member->file, node.file);
            const auto renamed = exposeCapturedFields(member->file);
            member->name = name;
            member->access = flags;
            addMembers(*member, depth + 1);
            renameInNested(*member, inner.innerClass, renamed);
            node.members.push_back(std::move(*member));
        }
    }

    static void renameInNested(ClassNode& node, const std::string& owner, const std::map<std::string, std::string>& renamed) {
        for (ClassNode& member : node.members) {
            renameFieldRefs(member.file, owner, renamed);
            renameInNested(member, owner, renamed);
        }
        for (ClassNode& anonymous : node.anonymous) {
            renameFieldRefs(anonymous.file, owner, renamed);
            renameInNested(anonymous, owner, renamed);
        }
    }

    void addAnonymousClasses(ClassNode& node, int depth) {
        for (const InnerClass& inner : node.file.innerClasses) {
            if (!inner.outerClass.empty() || !inner.simpleName.empty() || _seen.count(inner.innerClass)) continue;
            if (depth >= MaxDepth || _seen.size() > MaxClasses || ++_localReads > MaxClasses) return;
            std::optional<ClassNode> anonymous = load(node, inner, false);
            if (!anonymous || !isLocalClassOf(anonymous->file, node.file.thisClass)) continue;
            _seen.insert(inner.innerClass);
            addMembers(*anonymous, depth + 1);
            node.anonymous.push_back(std::move(*anonymous));
        }
    }

    std::optional<ClassNode> load(ClassNode& outer, const InnerClass& inner, bool noteProblems = true) {
        std::string fileName = lastSegment(inner.innerClass) + ".class";
        auto bytes = _siblings.read(inner.innerClass);
        if (!bytes) {
            if (noteProblems) outer.notes.push_back(fileName + ": not found beside the input");
            return std::nullopt;
        }
        ClassNode node;
        try {
            node.file = readClassFile(bytes->data(), bytes->size());
        } catch (const ClassFormatError& error) {
            if (noteProblems) outer.notes.push_back(fileName + ": " + error.reason);
            return std::nullopt;
        }
        if (node.file.thisClass != inner.innerClass) {
            if (noteProblems) outer.notes.push_back(fileName + ": holds " + node.file.thisClass + " instead");
            return std::nullopt;
        }
        const InnerClass* own = ownInnerEntry(node.file);
        node.access = own ? own->access : inner.access;
        node.name = inner.simpleName;
        node.member = true;
        return node;
    }

    const SiblingFiles& _siblings;
    const bool _modern;
    std::set<std::string> _seen;
    size_t _localReads = 0;
};

}  // namespace

const InnerClass* ownInnerEntry(const ClassFile& file) {
    for (const InnerClass& inner : file.innerClasses) {
        if (inner.innerClass == file.thisClass) return &inner;
    }
    return nullptr;
}

ClassNode buildClassTree(ClassFile top, const SiblingFiles& siblings, bool modern) {
    ClassNode root;
    root.file = std::move(top);
    root.access = root.file.access;
    root.name = lastSegment(root.file.thisClass);
    TreeBuilder builder(siblings, modern);
    builder.markSeen(root.file.thisClass);
    builder.addMembers(root, 0);
    return root;
}

}  // namespace jad
