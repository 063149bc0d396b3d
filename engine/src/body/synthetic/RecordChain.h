// Reading one case's record pattern out of the blocks javac makes of it:
// the cast of the selector's copy into the record's temporary, then per
// component the accessor call, copies of its value, at most one test and
// the binding. Where consecutive cases test the same record, javac reads
// the first component once and switches on it (a typeSwitch of its own,
// whose default restarts the outer switch): a merged case.
#pragma once

#include <memory>
#include <set>
#include <vector>

#include "body/flow/Cfg.h"
#include "body/types/Hierarchy.h"

namespace jad::body {

struct ChainPlace {
    int block = 0;
    size_t index = 0;
};

// The first component of a merged case, read once before the inner switch.
struct MergedHead {
    int innerSwitch = -1;
    const Var* innerIndex = nullptr;
    std::vector<Var*> holders;  // the temporaries holding the component's value
    std::set<const Var*> boxed;  // those holding it boxed
    ExprPtr call;                // the accessor call
};

class RecordChain {
public:
    RecordChain(const Cfg& cfg, const Hierarchy& hierarchy, const std::vector<char>& wrapper)
        : _cfg(cfg), _hierarchy(hierarchy), _wrapper(wrapper) {}

    // The chain of the case at `target`, whose failed tests go to block
    // `restart`. False when it has another shape; true with merged() set
    // when the case is a merged one, read up to its inner switch.
    bool read(int target, int restart, const Var* copy);
    // A merged case's inner case at `target`, its first component tested
    // by `label` (javac's box for a primitive); `total` for the inner
    // default, which tests nothing: its label, if any, must then be the
    // component's own type. On a copy of the chain that read the merged head.
    bool readInner(int target, int restart, const JavaType* label, bool total);

    const MergedHead* merged() const { return _merged.innerSwitch >= 0 ? &_merged : nullptr; }
    bool inner() const { return _inner; }  // one of a merged case's inner cases
    std::shared_ptr<RecordPattern> pattern() const { return _pattern; }
    const std::vector<ChainPlace>& taken() const { return _taken; }
    const std::vector<int>& tests() const { return _tests; }
    const std::vector<Var*>& temporaries() const { return _temporaries; }
    ChainPlace head() const { return _head; }
    const ExprPtr& headStore() const { return _headStore; }
    // The binding stores, each with its value in terms of the record's temporary.
    const std::vector<std::pair<VarPtr, ExprPtr>>& bindings() const { return _bindings; }
    JavaType bindingType(const Var* var) const;

private:
    struct Node;
    struct Value;

    const std::vector<RecordComponent>* componentsOf(const std::string& cls) const;
    bool readNode(Node& node);
    bool readNested(Node& node);
    bool readComponent(Node& node, const RecordComponent& component);
    bool readAccessor(const Node& node, const RecordComponent& component, Value& value);
    bool readUses(Value& value, const JavaType& type);
    bool readMergedHead(const Node& top, const RecordComponent& first);
    bool isAccessorCall(const Expr& call, const Node& node, const RecordComponent& component) const;
    bool startsAccessorOf(const Var* record);
    const Stmt* peek();
    bool enteredFrom(int block, int from) const;
    void take();
    const Expr* peekTest();
    void takeTest();
    bool isWrapped(const ChainPlace& p) const;
    bool narrows(const std::string& tested, const JavaType& component) const;
    bool surelyNotSupertype(const std::string& candidate, const std::string& cls) const;

    const Cfg& _cfg;
    const Hierarchy& _hierarchy;
    const std::vector<char>& _wrapper;
    ChainPlace _at, _head;
    int _restart = -1;
    Var* _record = nullptr;
    std::string _recordClass;
    ExprPtr _headStore;
    MergedHead _merged;
    const JavaType* _innerLabel = nullptr;
    bool _readingInner = false;
    bool _innerTotal = false;
    bool _inner = false;  // set while a merged case's first component is read
    std::shared_ptr<RecordPattern> _pattern;
    std::vector<ChainPlace> _taken;
    std::vector<int> _tests;
    std::vector<Var*> _temporaries;
    std::vector<std::pair<VarPtr, ExprPtr>> _bindings;
};

// The handler javac puts around a record's accessor calls:
// catch (Throwable t) { throw new MatchException(t.toString(), t); }
bool isMatchExceptionWrapper(const Cfg& cfg, const ExceptionHandler& handler);

}  // namespace jad::body
