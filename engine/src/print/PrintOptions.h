// How the output is printed: chosen on the command line, read by the
// declaration printer and the method-body decompiler alike.
#pragma once

#include <string>
#include <vector>

namespace jad {

// What the debugging options found while one unit was decompiled.
struct DebugReport {
    std::vector<std::string> brokenInvariants;  // a line each: the pass, the method, what broke
    std::vector<std::string> dumps;             // the lines --dump-after asked for
};

struct PrintOptions {
    bool fieldsFirst = false;  // -ff
    bool braces = false;       // -b: braces around every single-statement body
    int splitLiteralsAt = 0;   // -l<n>; 0 leaves literals whole
    bool modern = false;       // -m: Java at the class file's own language level
    // Debugging. A method whose invariants hold prints the same either way.
    bool checkInvariants = false;   // --check: the IR is checked after every pass
    std::string dumpAfter;          // --dump-after=<pass>: the IR after that pass
    DebugReport* report = nullptr;  // where both report; null: nowhere
};

}  // namespace jad
