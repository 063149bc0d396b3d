// Rules about jumps: tail jumps removed, blocks spliced, breaks redirected.
#include <algorithm>
#include <iterator>

#include "body/flow/Flow.h"
#include "body/ir/Walk.h"
#include "body/structure/Tidy.h"

namespace jad::body {

namespace {

bool endsWithJump(const StmtList& list, StmtKind kind, int label) {
    if (list.empty()) return false;
    const Stmt& last = *list.back();
    if (isJumpTo(last, kind, label)) return true;
    if (last.kind == StmtKind::If) return endsWithJump(last.body, kind, label) || endsWithJump(last.elseBody, kind, label);
    if (last.kind == StmtKind::Block || last.kind == StmtKind::Synchronized) return endsWithJump(last.body, kind, label);
    return false;
}

// if (c) { X; break B; } rest  ->  if (c) { X; break B; } else { rest }, when
// the jumping branch cannot complete normally: rest is then in tail position.
bool moveRestIntoElse(StmtList& list, StmtKind kind, int label) {
    for (size_t i = list.size() - 1; i-- > 0;) {
        Stmt& s = *list[i];
        if (s.kind != StmtKind::If) continue;
        StmtList* other = nullptr;
        if (endsWithJump(s.body, kind, label) && !canComplete(s.body)) other = &s.elseBody;
        else if (endsWithJump(s.elseBody, kind, label) && !canComplete(s.elseBody)) other = &s.body;
        if (!other) continue;
        if (canComplete(*other)) other->insert(other->end(), list.begin() + static_cast<long>(i) + 1, list.end());
        list.erase(list.begin() + static_cast<long>(i) + 1, list.end());
        return true;
    }
    return false;
}

bool removeTail(StmtList& list, StmtKind kind, int label) {
    if (list.empty()) return false;
    bool changed = moveRestIntoElse(list, kind, label);
    Stmt& last = *list.back();
    if (isJumpTo(last, kind, label)) {
        list.pop_back();
        return true;
    }
    switch (last.kind) {
    case StmtKind::If:
        changed |= removeTail(last.body, kind, label);
        changed |= removeTail(last.elseBody, kind, label);
        break;
    case StmtKind::Block: case StmtKind::Synchronized: changed |= removeTail(last.body, kind, label); break;
    case StmtKind::Try:
        // leaving the try or a catch by the jump runs the finally body just as
        // falling off its end does
        changed |= removeTail(last.body, kind, label);
        for (CatchClause& c : last.catches) changed |= removeTail(c.body, kind, label);
        break;
    case StmtKind::Switch:
        if (kind == StmtKind::Break && !last.arms.empty()) changed |= removeTail(last.arms.back().body, kind, label);
        break;
    default: break;
    }
    return changed;
}

}  // namespace

bool removeTailJumps(StmtList& body) {
    bool changed = false;
    visitLists(body, [&](StmtList& list) {
        for (StmtPtr& s : list) {
            if (s->kind == StmtKind::Block && s->label) changed |= removeTail(s->body, StmtKind::Break, s->label);
            if (s->kind == StmtKind::Loop && s->label) changed |= removeTail(s->body, StmtKind::Continue, s->label);
        }
    });
    return changed;
}

namespace {

bool isUnusedBlock(const Stmt& s) {
    return s.kind == StmtKind::Block && (s.label == 0 || countJumps(s.body, s.label) == 0);
}

// Most lists hold no such block: they are left as they are, not rebuilt.
bool spliceList(StmtList& list) {
    auto first = std::find_if(list.begin(), list.end(), [](const StmtPtr& s) { return isUnusedBlock(*s); });
    if (first == list.end()) return false;
    StmtList result(std::make_move_iterator(list.begin()), std::make_move_iterator(first));
    for (auto it = first; it != list.end(); ++it) {
        StmtPtr& s = *it;
        if (it == first || isUnusedBlock(*s)) result.insert(result.end(), s->body.begin(), s->body.end());
        else result.push_back(std::move(s));
    }
    list.swap(result);
    return true;
}

}  // namespace

bool spliceUnusedBlocks(StmtList& body) {
    bool changed = false;
    visitLists(body, [&](StmtList& list) { changed |= spliceList(list); });
    return changed;
}

namespace {

// Breakable constructs (loops, switches) that end `list`: leaving one of
// them is leaving the list's owner.
void tailBreakables(StmtList& list, std::vector<Stmt*>& out) {
    if (list.empty()) return;
    Stmt& last = *list.back();
    switch (last.kind) {
    case StmtKind::Loop: case StmtKind::Switch: out.push_back(&last); break;
    case StmtKind::If: tailBreakables(last.body, out); tailBreakables(last.elseBody, out); break;
    case StmtKind::Block: case StmtKind::Synchronized: tailBreakables(last.body, out); break;
    case StmtKind::Try:
        if (!last.finallyBody.empty()) break;
        tailBreakables(last.body, out);
        for (CatchClause& c : last.catches) tailBreakables(c.body, out);
        break;
    default: break;
    }
}

struct Redirector {
    int nextLabel = 0;
    bool changed = false;
    std::vector<Stmt*> breakables;  // innermost last
    std::vector<std::pair<int, std::vector<Stmt*>>> blocks;  // label, its tail breakables

    void walk(StmtList& list) {
        for (StmtPtr& s : list) visit(*s);
    }

    void visit(Stmt& s) {
        if (s.kind == StmtKind::Break) return redirect(s);
        const bool breakable = s.kind == StmtKind::Loop || s.kind == StmtKind::Switch;
        if (breakable) breakables.push_back(&s);
        if (s.kind == StmtKind::Block && s.label) {
            std::vector<Stmt*> tails;
            tailBreakables(s.body, tails);
            blocks.push_back({s.label, tails});
        }
        forEachChildList(s, [&](StmtList& child) { walk(child); });
        if (s.kind == StmtKind::Block && s.label) blocks.pop_back();
        if (breakable) breakables.pop_back();
    }

    // Leaving a loop or switch that ends block B is leaving B: name the
    // innermost such construct instead.
    void redirect(Stmt& jump) {
        for (auto& [label, tails] : blocks) {
            if (label != jump.target) continue;
            for (size_t i = breakables.size(); i-- > 0;) {
                Stmt* candidate = breakables[i];
                if (candidate->label == jump.target) return;
                if (std::find(tails.begin(), tails.end(), candidate) == tails.end()) continue;
                if (!candidate->label) candidate->label = ++nextLabel;
                jump.target = candidate->label;
                changed = true;
                return;
            }
            return;
        }
    }
};

}  // namespace

bool redirectBreaks(StmtList& body) {
    // labels made here only need to differ from the structurer's, which
    // count up from one per method
    thread_local int nextLabel = 1 << 24;
    if (nextLabel > (1 << 30)) nextLabel = 1 << 24;
    Redirector r;
    r.nextLabel = nextLabel;
    r.walk(body);
    nextLabel = r.nextLabel;
    return r.changed;
}

}  // namespace jad::body
