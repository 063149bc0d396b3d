#include "body/sugar/ForEach.h"

#include "body/ir/LoweredMatch.h"
#include "body/ir/Walk.h"

namespace jad::body {

namespace {

bool isIntType(const JavaType& t) { return t.base == 'I' && t.dimensions == 0; }

bool isIntLiteral(const Expr& e, int64_t value) {
    return e.kind == ExprKind::Literal && e.literal.tag == 'I' && e.literal.integer == value;
}

bool increments(const Stmt& s, const Var* var) {
    if (s.kind != StmtKind::Expr || !s.declare.empty()) return false;
    const Expr& e = *s.expr;
    return (e.kind == ExprKind::PostIncrement || e.kind == ExprKind::PreIncrement) && e.op == "++" &&
           isLocal(*e.args[0], var);
}

bool isLess(const Expr& e, const Var* left, const Var* right) {
    return (e.kind == ExprKind::Compare || e.kind == ExprKind::Binary) && e.op == "<" && e.args.size() == 2 &&
           isLocal(*e.args[0], left) && isLocal(*e.args[1], right);
}

bool isIteratorCall(const Expr& e, const char* name, const char* descriptor, const Var* iterator) {
    return e.kind == ExprKind::Invoke && !e.isStatic && e.owner == "java/util/Iterator" && e.name == name &&
           e.descriptor == descriptor && e.args.size() == 1 && isLocal(*e.args[0], iterator);
}

// The loop replacing `loop`, with its label and what is declared before it.
StmtPtr forEachLoop(const Stmt& loop, const ExprPtr& iterable, const StmtPtr& first) {
    auto each = makeStmt(StmtKind::Loop, iterable);
    each->loop = LoopKind::ForEach;
    each->each = first->declare[0];
    each->body.assign(loop.body.begin() + 1, loop.body.end());
    each->label = loop.label;
    each->explicitLabel = loop.explicitLabel;
    each->declare = loop.declare;
    return each;
}

class Folder {
public:
    Folder(const RefCounts& counts, const IsIterable& isIterable, const ElementsFit& elementsFit)
        : _counts(counts), _isIterable(isIterable), _elementsFit(elementsFit) {}

    void run(StmtList& list) {
        for (size_t i = 0; i < list.size(); ++i) {
            const Stmt& s = *list[i];
            if (s.kind != StmtKind::Loop || s.body.empty()) continue;
            if (i >= 2 && overArray(list, i)) {
                i -= 2;
                continue;
            }
            const int removed = overIterable(list, i);
            if (removed > 0) i -= static_cast<size_t>(removed);
        }
    }

private:
    // T[] arr = expr; int len = arr.length; for (int i = 0; i < len; i++) { T x = arr[i]; ... }
    bool overArray(StmtList& list, size_t at) {
        const Stmt& loop = *list[at];
        if (loop.loop != LoopKind::For || loop.init.size() != 1 || loop.update.size() != 1 || !loop.expr) return false;
        Var* arr = declaringStore(*list[at - 2]);
        Var* len = declaringStore(*list[at - 1]);
        Var* index = declaringStore(*loop.init[0]);
        Var* element = declaringStore(*loop.body[0]);
        if (!arr || !len || !index || !element || !arr->type.isArray() || !isIntType(len->type) ||
            !isIntType(index->type)) {
            return false;
        }
        const Expr& length = storedValue(*list[at - 1]);
        if (length.kind != ExprKind::ArrayLength || !isLocal(*length.args[0], arr)) return false;
        if (!isIntLiteral(storedValue(*loop.init[0]), 0) || !isLess(*loop.expr, index, len) ||
            !increments(*loop.update[0], index)) {
            return false;
        }
        const Expr& load = storedValue(*loop.body[0]);
        if (load.kind != ExprKind::ArrayElement || !isLocal(*load.args[0], arr) || !isLocal(*load.args[1], index)) {
            return false;
        }
        // The element's own type: a conversion here would be a cast the source never wrote.
        if (!sameType(element->type, arr->type.elementType())) return false;
        if (refs(_counts, arr) != 3 || refs(_counts, len) != 2 || refs(_counts, index) != 4) return false;
        StmtPtr folded = forEachLoop(loop, list[at - 2]->expr->args[1], loop.body[0]);
        list.erase(list.begin() + static_cast<long>(at - 2), list.begin() + static_cast<long>(at));
        list[at - 2] = folded;
        return true;
    }

    // Iterator it = expr.iterator(); while (it.hasNext()) { T x = (T)it.next(); ... }
    // or the same with the Iterator declared in a `for`.
    // Returns how many statements before `at` the fold took, or -1.
    int overIterable(StmtList& list, size_t at) {
        const Stmt& loop = *list[at];
        const Stmt* start = nullptr;
        if (loop.loop == LoopKind::While && at >= 1) start = list[at - 1].get();
        else if (loop.loop == LoopKind::For && loop.init.size() == 1 && loop.update.empty()) start = loop.init[0].get();
        if (!start || !loop.expr) return -1;
        Var* iterator = declaringStore(*start);
        Var* element = declaringStore(*loop.body[0]);
        if (!iterator || !element || iterator == element) return -1;
        const Expr& call = storedValue(*start);
        if (call.kind != ExprKind::Invoke || call.isStatic || call.name != "iterator" ||
            call.descriptor != "()Ljava/util/Iterator;" || call.args.size() != 1 || call.invoke == InvokeKind::Super ||
            call.invoke == InvokeKind::Special || !_isIterable(call.owner)) {
            return -1;
        }
        if (!isIteratorCall(*loop.expr, "hasNext", "()Z", iterator)) return -1;
        const Expr& load = storedValue(*loop.body[0]);
        const bool cast = load.kind == ExprKind::Cast;
        const Expr& next = cast ? *load.args[0] : load;
        if (!isIteratorCall(next, "next", "()Ljava/lang/Object;", iterator)) return -1;
        if (cast && !sameType(load.type, element->type)) return -1;
        const bool plainObject = !cast && sameType(element->type, javaLangObject());
        if (!plainObject && !_elementsFit(*call.args[0], element->type)) return -1;
        if (refs(_counts, iterator) != 3) return -1;
        StmtPtr folded = forEachLoop(loop, call.args[0], loop.body[0]);
        if (loop.loop == LoopKind::While) {
            list.erase(list.begin() + static_cast<long>(at - 1));
            list[at - 1] = folded;
            return 1;
        }
        list[at] = folded;
        return 0;
    }

    const RefCounts& _counts;
    const IsIterable& _isIterable;
    const ElementsFit& _elementsFit;
};

}  // namespace

void foldEnhancedFor(StmtList& body, const IsIterable& isIterable, const ElementsFit& elementsFit) {
    if (!containsStmt(body, StmtKind::Loop)) return;  // the folds start at one
    const RefCounts counts = countRefs(body);
    Folder folder(counts, isIterable, elementsFit);
    visitLists(body, [&](StmtList& list) { folder.run(list); });
}

}  // namespace jad::body
