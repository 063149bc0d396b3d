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
    // `topClass` names the unit's top-level class: only classes of its
    // package can lie beside the input.
    UnitClasses(const SiblingFiles& siblings, const std::string& topClass);
    const ClassFile* findClass(const std::string& internalName) const override;
    std::optional<AnonymousClass> anonymousClass(const std::string& internalName,
                                                 const AnonymousSite& site) const override;
    const std::map<std::string, std::string>* capturedNames(const std::string& internalName) const override;

private:
    // Bounds the work one input can cause through the classes it names.
    static constexpr size_t MaxClasses = 2000;

    const SiblingFiles& _siblings;
    std::string _package;  // "a/b/" or empty
    mutable std::map<std::string, std::shared_ptr<const ClassFile>> _read;  // null: missing or unreadable
    mutable CaptureRegistry _captures;  // of the anonymous classes being printed
};

}  // namespace jad
