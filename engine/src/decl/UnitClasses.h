// The class files beside the input that method bodies look into (switch
// maps, anonymous and local classes), each read and parsed at most once.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "body/MethodBody.h"
#include "decl/AnonymousClasses.h"
#include "decl/ClassTree.h"

namespace jad {

class UnitClasses : public UnitContext {
public:
    // `top` is the unit's tree: its classes are answered from it, the rest
    // of its package from the files beside the input. `top` must outlive this.
    // With `otherPackages`, findType also reads the declarations of the
    // classes of other packages under the input's class path root.
    UnitClasses(const SiblingFiles& siblings, const ClassNode& top, bool otherPackages = false);
    const ClassFile* findClass(const std::string& internalName) const override;
    const ClassFile* findType(const std::string& internalName) const override;
    std::optional<AnonymousClass> anonymousClass(const std::string& internalName,
                                                 const AnonymousSite& site) const override;
    const std::map<std::string, std::string>* capturedNames(const std::string& internalName) const override;
    std::shared_ptr<const GenericType> capturedType(const std::string& internalName, const std::string& field) const override;

private:
    std::shared_ptr<const ClassFile> declarationsOf(const std::string& internalName) const;
    std::shared_ptr<const ClassFile> otherPackageClass(const std::string& internalName) const;
    // The class's declarations from its bytes; null when they are missing,
    // unreadable or hold another class.
    static std::shared_ptr<const ClassFile> declarationsOf(const std::string& internalName,
                                                           const std::optional<std::vector<uint8_t>>& bytes);

    // Bounds the work one input can cause through the classes it names.
    static constexpr size_t MaxClasses = 2000;

    const SiblingFiles& _siblings;
    std::string _package;  // "a/b/" or empty
    bool _otherPackages;
    std::map<std::string, const ClassFile*> _tree;  // the classes of the unit being printed
    mutable std::map<std::string, std::shared_ptr<const ClassFile>> _read;  // null: missing or unreadable
    // Declarations only, for findType: siblings not read in full, and the platform's classes.
    mutable std::map<std::string, std::shared_ptr<const ClassFile>> _declared;  // null: missing or unreadable
    mutable CaptureRegistry _captures;  // of the anonymous classes being printed
    mutable CaptureTypes _captureTypes;
};

}  // namespace jad
