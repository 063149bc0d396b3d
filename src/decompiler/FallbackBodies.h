#pragma once

#include <string>
#include <vector>

namespace products {
namespace zefra {
namespace decompiler {

// A method body the engine could not decompile: it prints the instructions as
// comments under "// Not decompiled: <reason>" and then a statement
// `throw new RuntimeException("not decompiled: ...")` in the method's place.
struct FallbackBody {
    int line;  // 0-based line of the "// Not decompiled:" comment
    std::string reason;
};

// Every fallback body of the text, in order. A comment of that wording that
// is not followed by the engine's throw (a listing of comments in between)
// is the program's own and is not taken.
std::vector<FallbackBody> findFallbackBodies(const std::string& javaText);

// The index of the declaration each body belongs to: the last declaration
// line at or before the body. declarationLines must be sorted; -1 when no
// declaration comes before the body.
int owningDeclaration(const std::vector<int>& declarationLines, int bodyLine);

}
}
}
