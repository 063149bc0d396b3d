// Local classes: the classic dialect has no class declarations inside
// blocks, so each is printed as a member class of the class whose method
// declares it (the modern one does so where it cannot declare it in place).
// Their class files are made to read as such member classes, so that the
// rest of the printer treats them alike: the InnerClasses entries name the
// enclosing class and the printed name, and the fields javac keeps captured
// locals in (`val$x`) become ordinary final fields with legal names, which
// the constructor's extra parameters fill.
#pragma once

#include <map>
#include <set>
#include <string>

#include "classfile/ClassFile.h"

namespace jad {

// A field javac keeps a captured local in (`val$x`).
bool isCaptureField(const Field& f);

// Whether `file` is a local class declared in a method of `enclosing`.
bool isLocalClassOf(const ClassFile& file, const std::string& enclosing);

// Whether the local class keeps an enclosing instance (declared in an
// instance method); without one it is printed static.
bool hasOuterInstance(const ClassFile& file);

// A local class of a generic method that names the method's type variables
// declares them itself, as it is printed outside the method: `local` gets the
// method's type parameters in its Signature (their bounds, so the erasure
// stays). Left alone when it has type parameters of its own; returns whether
// it changed.
bool adoptMethodTypeParameters(ClassFile& local, const ClassFile& enclosing);

// `simpleName`, or with a number added, not in `taken`.
std::string distinctName(const std::string& simpleName, const std::set<std::string>& taken);

// Records in `file`'s InnerClasses that `local` is the member `name` of `outer`.
void declareAsMember(ClassFile& file, const std::string& local, const std::string& outer, const std::string& name,
                     uint16_t access);

// Renames the capture fields of the local class `file` and makes them
// ordinary; returns the new name of each old one.
std::map<std::string, std::string> exposeCapturedFields(ClassFile& file);

// Points `file`'s references to the fields of `owner` named in `renamed` at
// the new names (a class nested in the local class reads them too). Its own
// entries of the same text are left alone: they may be its own captures.
void renameFieldRefs(ClassFile& file, const std::string& owner, const std::map<std::string, std::string>& renamed);

}  // namespace jad
