// Rules about if statements: empty branches, nested conditions, else after a
// branch that cannot complete.
#include "body/flow/Flow.h"
#include "body/ir/Walk.h"
#include "body/structure/Tidy.h"

namespace jad::body {

bool simplifyIfs(StmtList& body) {
    bool changed = false;
    visitLists(body, [&](StmtList& list) {
        for (size_t i = 0; i < list.size(); ++i) {
            Stmt& s = *list[i];
            if (s.kind != StmtKind::If) continue;
            if (s.body.empty() && !s.elseBody.empty()) {
                s.expr = negate(s.expr);
                s.body.swap(s.elseBody);
                changed = true;
            }
            // An empty `if` still evaluates its condition, which may throw.
            if (s.body.empty() && s.elseBody.empty() && cannotThrow(*s.expr)) {
                list.erase(list.begin() + static_cast<long>(i--));
                changed = true;
                continue;
            }
            // if (a) { if (b) { X } }  ->  if (a && b) { X }
            if (s.elseBody.empty() && s.body.size() == 1 && s.body[0]->kind == StmtKind::If &&
                s.body[0]->elseBody.empty() && s.body[0]->declare.empty()) {
                StmtPtr inner = s.body[0];
                s.expr = makeBinary("&&", s.expr, inner->expr, booleanType());
                s.body = inner->body;
                changed = true;
            }
        }
    });
    return changed;
}

void unwrapElseAfterJump(StmtList& body) {
    visitLists(body, [&](StmtList& list) {
        for (size_t i = 0; i < list.size(); ++i) {
            Stmt& s = *list[i];
            if (s.kind != StmtKind::If || s.elseBody.empty() || canComplete(s.body)) continue;
            StmtList rest = s.elseBody;
            s.elseBody.clear();
            list.insert(list.begin() + static_cast<long>(i) + 1, rest.begin(), rest.end());
        }
    });
}

}  // namespace jad::body
