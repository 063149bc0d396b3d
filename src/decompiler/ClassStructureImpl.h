#pragma once

#include <string>

#include "decompiler/ClassMembers.h"
#include "decompiler/ClassStructure.h"

namespace products {
namespace zefra {
namespace decompiler {

// An immutable node; it owns its inner classes.
class ClassStructureImpl : public ClassStructure {
public:
    ClassStructureImpl(std::string text, NameAndLine nameAndLine, ClassMembers members);
    ~ClassStructureImpl() override;

    const std::string& getText() const override;
    NameAndLine getNameAndLine() const override;
    NameAndLineList getPublicMethods() const override;
    NameAndLineList getProtectedMethods() const override;
    NameAndLineList getPrivateMethods() const override;
    NameAndLineList getPublicFields() const override;
    NameAndLineList getProtectedFields() const override;
    NameAndLineList getPrivateFields() const override;
    ClassStructureList getPublicInnerClasses() const override;
    ClassStructureList getProtectedInnerClasses() const override;
    ClassStructureList getPrivateInnerClasses() const override;
    bool isEmpty() const override;

private:
    void moveInnerClassesInto(OwnedClassStructureList& target);

    std::string _text;
    NameAndLine _nameAndLine;
    ClassMembers _members;
};

}
}
}
