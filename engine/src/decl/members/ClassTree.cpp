#include "decl/members/ClassTree.h"

#include <set>

#include "classfile/AccessFlags.h"
#include "classfile/ClassReader.h"
#include "decl/members/InPlaceLocals.h"
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
    TreeBuilder(const SiblingFiles& siblings, bool modern, const LocalChoice* choice = nullptr)
        : _siblings(siblings), _modern(modern), _choice(choice) {}

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
    // member classes (the classic dialect has no class declarations in
    // blocks), or, in the modern one, printed where their method declares them.
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
            if (placeInMethod(node, *member, inner, depth)) continue;
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

    // -m: a local class printed where its method declares it keeps its
    // class file as it is; the body that declares it hides what javac added.
    bool placeInMethod(ClassNode& node, ClassNode& local, const InnerClass& inner, int depth) {
        if (!_choice || _choice->hoisted.count(inner.innerClass)) return false;
        if (_choice->only && !_choice->only->count(inner.innerClass)) return false;
        local.inPlace = readLocalClassShape(local.file, node.file);
        if (!local.inPlace) return false;
        local.name = inner.simpleName;
        local.access = inner.access & (access::Abstract | access::Final | access::Interface | access::Annotation |
                                       access::Enum);
        addMembers(local, depth + 1);
        node.locals.push_back(std::move(local));
        return true;
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
    const LocalChoice* _choice;
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

namespace {

ClassNode buildWith(ClassFile top, const SiblingFiles& siblings, bool modern, const LocalChoice* choice) {
    ClassNode root;
    root.file = std::move(top);
    root.access = root.file.access;
    root.name = lastSegment(root.file.thisClass);
    TreeBuilder builder(siblings, modern, choice);
    builder.markSeen(root.file.thisClass);
    builder.addMembers(root, 0);
    return root;
}

}  // namespace

ClassNode buildClassTree(ClassFile top, const SiblingFiles& siblings, const LocalChoice& choice) {
    // Each round keeps at least one more local class a member class; the
    // last keeps them all.
    constexpr int MaxRounds = 3;
    LocalChoice current = choice;
    const std::vector<InnerClass> declared = top.innerClasses;
    for (int round = 0;; ++round) {
        if (round == MaxRounds) current.only = std::set<std::string>();
        ClassNode root = buildWith(std::move(top), siblings, true, &current);
        // A choice made already (the classes of an anonymous class printed again) stands.
        const std::set<std::string> misplaced = current.only ? std::set<std::string>() : misplacedLocals(root);
        if (misplaced.empty()) {
            root.inPlaceLocals = inPlaceLocals(root);
            return root;
        }
        current.hoisted.insert(misplaced.begin(), misplaced.end());
        top = takeTopFile(std::move(root), declared);
    }
}

ClassFile takeTopFile(ClassNode&& tree, std::vector<InnerClass> innerClasses) {
    ClassFile file = std::move(tree.file);
    file.innerClasses = std::move(innerClasses);
    return file;
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
