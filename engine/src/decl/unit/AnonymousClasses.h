// Anonymous classes, printed inline where they are created: the creation
// `new Outer$1(...)` becomes `new Super(args) { members }`, without the
// constructor javac made and the fields it stores captured values in.
#pragma once

#include <map>
#include <set>
#include <string>

#include "body/pipeline/MethodBody.h"
#include "decl/members/ClassTree.h"

namespace jad {

// An anonymous class: its InnerClasses entry has neither an outer class nor
// a simple name. The class javac makes for enum switch maps looks the same
// but is never created, and is not one.
bool isAnonymousClass(const ClassFile& file);
bool isSwitchMapClass(const ClassFile& file);

// The field name -> printed name of each captured local, per class being printed.
using CaptureRegistry = std::map<std::string, std::map<std::string, std::string>>;
// The field name -> generic type of each captured local that has one, per class being printed.
using CaptureTypes = std::map<std::string, std::map<std::string, std::shared_ptr<const GenericType>>>;

struct AnonymousPrinting {
    const SiblingFiles& siblings;
    const UnitContext& unit;  // handed to the bodies of the members
    CaptureRegistry& captures;
    CaptureTypes& captureTypes;
    const std::set<std::string>& inPlaceLocals;  // -m: the unit's local classes printed in place
};

AnonymousClass printAnonymousClass(const ClassFile& file, const AnonymousSite& site, const AnonymousPrinting& printing);

}  // namespace jad
