#pragma once

#include <string>
#include <vector>

#include "decompiler/NameAndLine.h"

namespace products {
namespace zefra {
namespace decompiler {

class ClassStructure;
// Non-owning: the nodes stay owned by the node that handed out the list.
using ClassStructureList = std::vector<const ClassStructure*>;

// One class or interface of the class-structure tree. Every declaration is in
// one of three access groups: public, protected, and private, which takes
// everything else (package access included). Lists are in source order.
// Destroying a node destroys its inner classes.
class ClassStructure {
public:
    virtual ~ClassStructure() = default;

    // The whole Java text for a top-level node, empty for every node below it.
    virtual const std::string& getText() const = 0;
    virtual NameAndLine getNameAndLine() const = 0;

    virtual NameAndLineList getPublicMethods() const = 0;
    virtual NameAndLineList getProtectedMethods() const = 0;
    virtual NameAndLineList getPrivateMethods() const = 0;
    virtual NameAndLineList getPublicFields() const = 0;
    virtual NameAndLineList getProtectedFields() const = 0;
    virtual NameAndLineList getPrivateFields() const = 0;
    virtual ClassStructureList getPublicInnerClasses() const = 0;
    virtual ClassStructureList getProtectedInnerClasses() const = 0;
    virtual ClassStructureList getPrivateInnerClasses() const = 0;

    // True when the node has neither members nor inner classes.
    virtual bool isEmpty() const = 0;
};

}
}
}
