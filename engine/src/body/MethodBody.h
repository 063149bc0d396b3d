// The boundary between the declaration printer and the method-body
// decompiler: the printer asks for a body's statements as indented lines.
#pragma once

#include <string>
#include <vector>

#include "classfile/ClassFile.h"
#include "print/TypeNamer.h"

namespace jad {

struct PrintOptions {
    bool fieldsFirst = false;  // -ff
    bool braces = false;       // -b: braces around every single-statement body
    int splitLiteralsAt = 0;   // -l<n>; 0 leaves literals whole
};

// What a body may ask of the compilation unit it is printed in; the
// declaration printer answers, so the body decompiler never reads files.
class UnitContext {
public:
    virtual ~UnitContext() = default;
    // The class `internalName` ("a/b/Outer$1") when it lies beside the input,
    // read once per unit; null when it is missing or unreadable.
    virtual const ClassFile* findClass(const std::string& internalName) const = 0;
};

struct BodyRequest {
    const ClassFile& owner;
    const Method& method;
    const TypeNamer& types;
    const PrintOptions& options;
    // The names the declaration printed for the parameters, in order (without
    // `this`); the body uses them and keeps its own locals distinct from them.
    const std::vector<std::string>& parameterNames;
    const UnitContext* unit = nullptr;  // null: nothing beside the class is known
};

// The statements between the method's braces, one string per line, without
// line ends, indented by four spaces per level relative to the body (the
// first statement has no indentation). Never throws: a method that cannot be
// decompiled gets the fallback body.
std::vector<std::string> decompileBody(const BodyRequest& request);

// A `//` disassembly listing of the code followed by
// `throw new RuntimeException("...")` naming `reason`, so the file still
// parses and compiles.
std::vector<std::string> fallbackBody(const BodyRequest& request, const std::string& reason);

}  // namespace jad
