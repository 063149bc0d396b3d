// The class files beside the input that method bodies look into (switch
// maps, anonymous and local classes), each read and parsed at most once.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <unordered_map>

#include "body/pipeline/MethodBody.h"
#include "body/types/HierarchyMemo.h"
#include "decl/members/ClassTree.h"
#include "decl/unit/AnonymousClasses.h"

namespace jad {

class UnitClasses : public UnitContext {
public:
    // `top` is the unit's tree: its classes are answered from it, the rest
    // of its package from the files beside the input. `top` must outlive this.
    // `classPath`: findType also sees the classes of the input's class path
    // outside its package.
    UnitClasses(const SiblingFiles& siblings, const ClassNode& top, bool classPath = false);
    const ClassFile* findClass(const std::string& internalName) const override;
    const ClassFile* findType(const std::string& internalName) const override;
    std::optional<AnonymousClass> anonymousClass(const std::string& internalName,
                                                 const AnonymousSite& site) const override;
    const std::map<std::string, std::string>* capturedNames(const std::string& internalName) const override;
    std::shared_ptr<const GenericType> capturedType(const std::string& internalName, const std::string& field) const override;
    body::HierarchyMemo* hierarchyMemo(const std::string& owner) const override;
    std::vector<std::string> localClassesOf(const std::string& owner, const std::string& name,
                                            const std::string& descriptor) const override;
    bool hasLocalClassesInPlace() const override { return !_locals.empty(); }
    const LocalClassShape* localClassShape(const std::string& internalName) const override;
    std::vector<std::string> localClassDeclaration(const std::string& internalName,
                                                   const std::vector<std::string>& captureNames,
                                                   const std::set<std::string>& scopeNames, const TypeNamer& types,
                                                   const PrintOptions& options) const override;

private:
    std::shared_ptr<const ClassFile> elsewhere(const std::string& internalName) const;

    // Bounds the work one input can cause through the classes it names.
    static constexpr size_t MaxClasses = 2000;

    bool inPackage(const std::string& internalName) const;
    bool fieldNamedAny(const ClassFile& file, const std::set<std::string>& names, int depth) const;
    bool treeHidesAny(const ClassNode& node, const std::set<std::string>& names) const;
    const ClassFile* typeOnce(const std::string& internalName) const;

    const SiblingFiles& _siblings;
    std::string _package;  // "a/b/" or empty
    bool _classPath;
    std::unordered_map<std::string, const ClassFile*> _tree;  // the classes of the unit being printed
    mutable std::unordered_map<std::string, std::shared_ptr<const ClassFile>> _read;  // null: missing or unreadable
    // Declarations only, for findType: siblings not read in full, and the platform's classes.
    mutable std::unordered_map<std::string, std::shared_ptr<const ClassFile>> _declared;  // null: missing or unreadable
    // What findType answered, asked again and again by every body's typing;
    // a name read in full later answers with that instead.
    mutable std::unordered_map<std::string, const ClassFile*> _types;
    mutable CaptureRegistry _captures;  // of the anonymous classes being printed
    mutable CaptureTypes _captureTypes;
    // Shared by the bodies of all the unit's classes: they see the same
    // classes, and ask about many of the same.
    mutable body::HierarchyMemo _hierarchy;
    std::set<std::string> _inPlace;
    std::unordered_map<std::string, const ClassNode*> _locals;  // printed in place
    std::map<std::string, std::vector<std::string>> _localsByMethod;  // "owner.name descriptor" -> local classes
};

}  // namespace jad
