// Local classes the modern dialect declares in the method that declares
// them, as the source did. Which ones may be: those whose constructors show
// what the source did not pass (the enclosing instance, captured values),
// named by no other class around, and referred to from nowhere but their
// method's class and their own code. The others stay member classes.
#pragma once

#include <optional>
#include <set>
#include <string>

#include "body/pipeline/MethodBody.h"
#include "decl/members/ClassTree.h"

namespace jad {

// How the constructors of `local`, a local class of a method of `outer`,
// take their hidden parameters; nothing when one does not read as javac's.
std::optional<LocalClassShape> readLocalClassShape(const ClassFile& local, const ClassFile& outer);

// The local classes of `root`'s tree printed in place that cannot be: their
// simple name is another class's of the unit, or another class than their
// method's and their own refers to them.
std::set<std::string> misplacedLocals(const ClassNode& root);

// The names of the local classes printed in place in `root`'s tree.
std::set<std::string> inPlaceLocals(const ClassNode& root);

}  // namespace jad
