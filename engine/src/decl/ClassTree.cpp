#include "decl/ClassTree.h"

#include <set>

#include "classfile/AccessFlags.h"
#include "classfile/ClassReader.h"

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
    explicit TreeBuilder(const SiblingFiles& siblings) : _siblings(siblings) {}

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
    }

    void markSeen(const std::string& name) { _seen.insert(name); }

private:
    std::optional<ClassNode> load(ClassNode& outer, const InnerClass& inner) {
        std::string fileName = lastSegment(inner.innerClass) + ".class";
        auto bytes = _siblings.read(inner.innerClass);
        if (!bytes) {
            outer.notes.push_back(fileName + ": not found beside the input");
            return std::nullopt;
        }
        ClassNode node;
        try {
            node.file = readClassFile(bytes->data(), bytes->size());
        } catch (const ClassFormatError& error) {
            outer.notes.push_back(fileName + ": " + error.reason);
            return std::nullopt;
        }
        if (node.file.thisClass != inner.innerClass) {
            outer.notes.push_back(fileName + ": holds " + node.file.thisClass + " instead");
            return std::nullopt;
        }
        const InnerClass* own = ownInnerEntry(node.file);
        node.access = own ? own->access : inner.access;
        node.name = inner.simpleName;
        node.member = true;
        return node;
    }

    const SiblingFiles& _siblings;
    std::set<std::string> _seen;
};

}  // namespace

const InnerClass* ownInnerEntry(const ClassFile& file) {
    for (const InnerClass& inner : file.innerClasses) {
        if (inner.innerClass == file.thisClass) return &inner;
    }
    return nullptr;
}

ClassNode buildClassTree(ClassFile top, const SiblingFiles& siblings) {
    ClassNode root;
    root.file = std::move(top);
    root.access = root.file.access;
    root.name = lastSegment(root.file.thisClass);
    TreeBuilder builder(siblings);
    builder.markSeen(root.file.thisClass);
    builder.addMembers(root, 0);
    return root;
}

}  // namespace jad
