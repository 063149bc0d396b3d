// A top-level class with its member classes, read from their own class files
// beside the input and nested as the InnerClasses attributes say.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "body/pipeline/MethodBody.h"
#include "classfile/ClassFile.h"

namespace jad {

// Where the class files of the input's package lie.
class SiblingFiles {
public:
    virtual ~SiblingFiles() = default;
    // The bytes of the class `internalName` ("a/b/Outer$Inner"), or nothing when it is not there.
    virtual std::optional<std::vector<uint8_t>> read(const std::string& internalName) const = 0;
    // Whether the input's package holds a class of this simple name (which
    // would hide a java.lang class of the same name).
    virtual bool hasClass(const std::string& simpleName) const = 0;
    // The class parsed; null when it is missing, unreadable or names itself
    // otherwise. Implementations may share one parse among all the inputs of
    // a run; this one parses on every call.
    virtual std::shared_ptr<const ClassFile> parsed(const std::string& internalName) const;
    // The class's declarations alone, its methods' code unread; null as for
    // parsed. Implementations may share them as they share parses.
    virtual std::shared_ptr<const ClassFile> declarations(const std::string& internalName) const;
    // A class of the Java platform, parsed; null when the platform's classes
    // cannot be read or lack it.
    virtual std::shared_ptr<const ClassFile> platformClass(const std::string& internalName) const {
        (void)internalName;
        return nullptr;
    }
    // A class of the input's class path in another package (the archive's
    // other entries, the tree the input's package folders lie in), its
    // declarations only; null when it is not there or cannot be read.
    virtual std::shared_ptr<const ClassFile> classPathClass(const std::string& internalName) const {
        (void)internalName;
        return nullptr;
    }
};

// The declarations of the class in `bytes` (no code), when it is the class
// `internalName`; null when unreadable or another class.
std::shared_ptr<const ClassFile> declarationsOf(const std::vector<uint8_t>& bytes, const std::string& internalName);

// Whether `internalName` can name a file below a class path root: no empty,
// `.` or `..` segment, no leading slash, nothing a file system reads otherwise.
bool isClassPathName(const std::string& internalName);

struct ClassNode {
    ClassFile file;
    uint16_t access = 0;   // for member classes, the flags of their InnerClasses entry
    std::string name;      // the simple name it is declared with
    bool member = false;
    std::vector<ClassNode> members;
    std::vector<std::string> notes;  // member classes left out, with the reason
    // The anonymous classes its code creates: printed where they are
    // created, listed here for the names their code uses.
    std::vector<ClassNode> anonymous;
    // -m: the local classes its methods declare that are printed there, as
    // local class declarations; listed here for the names their code uses.
    std::vector<ClassNode> locals;
    std::optional<LocalClassShape> inPlace;  // set on such a local class
    // The root only: which local classes of the tree are printed in place.
    std::set<std::string> inPlaceLocals;
};

// Which local classes go in place, besides those that cannot.
struct LocalChoice {
    std::set<std::string> hoisted;              // kept member classes
    std::optional<std::set<std::string>> only;  // when set, no others go in place
};

// `modern`: local classes of generic methods declare the method's type
// variables they name (the modern dialect prints those types).
ClassNode buildClassTree(ClassFile top, const SiblingFiles& siblings, bool modern = false);
// -m, with the local classes `choice` allows printed in place.
ClassNode buildClassTree(ClassFile top, const SiblingFiles& siblings, const LocalChoice& choice);

// The class file a tree was built from, as it was read, for building
// another: building changes nothing of it but the InnerClasses entries of
// the local classes kept as member classes, which `innerClasses` (its
// entries as read) puts back. Moving it spares copying every method's code.
ClassFile takeTopFile(ClassNode&& tree, std::vector<InnerClass> innerClasses);

// The InnerClasses entry describing `file` itself, if any.
const InnerClass* ownInnerEntry(const ClassFile& file);

}  // namespace jad
