// The one IR every pass works on: variables, expression trees, statement
// trees, and the basic blocks that hold statements until structuring.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "classfile/Descriptor.h"

namespace jad {
struct GenericType;
}

namespace jad::body {

enum class VarKind : uint8_t { This, Parameter, Local, Temp, Caught };

struct Var {
    VarKind kind = VarKind::Local;
    int slot = -1;
    JavaType type;
    bool declaredType = false;  // from the descriptor or LocalVariableTable
    bool exact = false;         // the type is the one the source declared (or every value's own)
    // The LocalVariableTable declares it: its type arguments, if the source
    // gave any, are in the LocalVariableTypeTable, and none means none.
    bool debugDeclared = false;
    std::string name;           // given by the naming pass (or debug info)
    int id = 0;
    int defs = 0, uses = 0;     // counted by passes that need them
    // -m: the declared type with its type arguments ("List<T>"), whose
    // erasure is `type`; null where the erased type is all that is known.
    std::shared_ptr<const GenericType> generic;
};
using VarPtr = std::shared_ptr<Var>;

enum class ExprKind : uint8_t {
    Literal, Null, This, Local, Field, ArrayElement, ArrayLength, Invoke, New, NewArray,
    ArrayInit, Unary, Binary, Compare, Cast, InstanceOf, Assign, CompoundAssign, PreIncrement,
    PostIncrement, Conditional, ClassLiteral, Concat, Caught, Uninitialized, Lambda,
    Switch,  // -m: a switch expression, made by the last passes only
};

enum class InvokeKind : uint8_t { Virtual, Special, Static, Interface, Super };

struct Expr;
using ExprPtr = std::shared_ptr<Expr>;
struct Stmt;

// -m: `R(P1, P2)`, a record pattern: one part per component of R in order,
// each a binding (`T x`, or `var x` where the component's type is generic)
// or a nested record pattern.
struct RecordPattern {
    struct Part {
        VarPtr binding;                        // a binding's variable; null for a nested pattern
        bool inferred = false;                 // printed `var`
        JavaType type;                         // a binding's: the component's, or the type tested
        std::shared_ptr<RecordPattern> nested;
    };
    std::string recordClass;  // internal name
    std::vector<Part> parts;
};

struct LiteralValue {
    char tag = 'I';  // 'I' 'J' 'F' 'D' 'S' (string)
    int64_t integer = 0;
    double real = 0;
    std::u16string text;
};

// A lambda or method reference: the functional interface's method (erased)
// and the method that implements it.
struct LambdaSite {
    std::string samName, samDescriptor;
    int implKind = 0;  // method-handle reference kind
    std::string implOwner, implName, implDescriptor;
    // A bound method reference whose receiver is checked for null where it
    // is made: "requireNonNull" or "getClass", as javac wrote the check.
    std::string receiverCheck;
    // The interface method's type as this site instantiates it ("(Ljava/lang/String;)Ljava/lang/Integer;").
    std::string instantiatedDescriptor;
    bool serializable = false;         // altMetafactory's FLAG_SERIALIZABLE
    std::vector<std::string> markers;  // further interfaces the object implements
    // Where the modern dialect finds the lambda (set before printing): as an
    // argument of the call named here; stored or returned where the erased
    // type is the interface itself; there, and the type is printed as the
    // source declared it (a method's return type, a field of the class).
    enum class Place : uint8_t { Other, Argument, Typed, Declared } place = Place::Other;
    std::string callOwner, callName, callDescriptor;
    // -m, an argument: the call's parameter, through the receiver's type
    // arguments, gives the lambda's parameters types whose erasures are the
    // synthetic method's, so they need not be written.
    bool contextTyped = false;
};

struct Expr {
    ExprKind kind = ExprKind::Literal;
    JavaType type;       // static type of the value ('V' for void invocations)
    std::string op;      // operator text for Unary, Binary, Compare, CompoundAssign, increments
    std::vector<ExprPtr> args;
    // Field, Invoke, New: the member. Invoke and Field hold the receiver in
    // args[0] unless static.
    std::string owner, name, descriptor;
    bool isStatic = false;
    InvokeKind invoke = InvokeKind::Virtual;
    LiteralValue literal;
    VarPtr var;          // Local; InstanceOf (-m): the pattern variable, if any
    uint32_t newPc = 0;  // Uninitialized: the `new` it stands for
    std::shared_ptr<LambdaSite> lambda;  // Lambda: args hold the captured values
    // -m, Cast: the generic type cast to ("(T)", "(List<K>)"), erasing to `type`;
    // New: with `op` "<>", created with the diamond.
    std::shared_ptr<const GenericType> generic;
    // Switch: the switch statement whose arms give the value by assigning
    // `var` last; `op` "->" for arrow cases, ":" for labels with `yield`.
    std::shared_ptr<Stmt> block;
    // -m, Cast: the cast into a record's temporary that stands for this
    // record pattern; it must be folded into a case label or an instanceof
    // before printing. InstanceOf: the record pattern it tests.
    std::shared_ptr<const RecordPattern> pattern;
};

// Statements, both before structuring (inside basic blocks) and after.
enum class StmtKind : uint8_t {
    Expr, Return, Throw, If, Block, Loop, Switch, Try, Synchronized, Break, Continue, Monitor,
    Assert,  // -m: `assert expr : message`, the message (if any) the one Expr statement of `body`
    LocalClass,  // -m: a local class declaration, its lines in `text`; made by the last pass only
};

struct Stmt;
using StmtPtr = std::shared_ptr<Stmt>;
using StmtList = std::vector<StmtPtr>;

// ForEach: `for (each : expr)`, made by the modern dialect's last pass.
enum class LoopKind : uint8_t { Infinite, While, DoWhile, For, ForEach };

struct SwitchArm {
    std::vector<int32_t> keys;
    bool isDefault = false;
    StmtList body;
    // When set, what the case labels print instead of the keys, one per key:
    // an enum constant (a static Field, printed by its simple name) or a
    // string literal; -m also null, and a pattern's binding (a Local).
    std::vector<ExprPtr> labels;
    ExprPtr guard;  // -m: a pattern's `when` condition
};

struct CatchClause {
    std::vector<std::string> types;  // internal names; empty means any (finally)
    VarPtr var;
    StmtList body;
};

struct Stmt {
    StmtKind kind = StmtKind::Expr;
    ExprPtr expr;       // expression, returned/thrown value, condition, selector, lock
    StmtList body;      // then / block / loop / try / synchronized body
    StmtList elseBody;
    int label = 0;      // Block, Loop, Switch: the label breaks name; 0 for none
    int target = 0;     // Break, Continue: the label they name
    bool explicitLabel = false;  // Break, Continue: printed with the label
    LoopKind loop = LoopKind::Infinite;
    StmtList init, update;  // For
    std::vector<SwitchArm> arms;
    std::vector<CatchClause> catches;
    StmtList finallyBody;
    bool enter = true;  // Monitor: monitorenter or monitorexit
    bool exhaustive = false;  // -m, Switch: covers every value without a default (javac throws for the rest)
    std::vector<VarPtr> declare;  // variables declared just before this statement
    VarPtr each;                  // ForEach: the loop variable
    std::vector<std::string> text;  // LocalClass: the declaration's lines
};

// Factories keep construction sites short.
ExprPtr makeExpr(ExprKind kind, const JavaType& type);
ExprPtr makeExpr(ExprKind kind, JavaType&& type);
ExprPtr makeLocal(const VarPtr& var);
ExprPtr makeIntLiteral(int64_t value, char base = 'I');
ExprPtr makeBinary(const std::string& op, ExprPtr left, ExprPtr right, JavaType type);
ExprPtr makeUnary(const std::string& op, ExprPtr operand, JavaType type);
ExprPtr makeCast(JavaType type, ExprPtr operand);
StmtPtr makeStmt(StmtKind kind, ExprPtr expr = nullptr);
// `Enum.NAME`, the read of an enum constant (a case label's form).
ExprPtr makeEnumConstant(const std::string& enumClass, const std::string& name);

JavaType primitive(char base);
JavaType objectType(const std::string& internalName);
// The types most construction sites ask for, built once.
const JavaType& javaLangObject();
const JavaType& javaLangString();
JavaType booleanType();
bool isIntLike(const JavaType& type);  // boolean, byte, char, short, int
bool sameType(const JavaType& a, const JavaType& b);

// Structural equality of side-effect-free expressions (locals, fields,
// array elements, literals); false for anything else.
bool samePure(const Expr& a, const Expr& b);
bool isPure(const Expr& e);      // no side effects and no exceptions worth keeping order for
// Evaluating it can neither change anything nor throw (no array access, no
// field read but of `this`, no reference cast, no integer division), so
// dropping it leaves the program's behaviour as it was.
bool cannotThrow(const Expr& e);
bool isTrivial(const Expr& e);   // a local, literal, null or this: may be copied freely
// `this.this$1.this$0`: javac's outer-instance fields are final, so reading
// one twice is reading it once; kept in a temporary, an enclosing anonymous
// instance would need a name it does not have.
bool isOuterInstanceChain(const Expr& e);
bool readsVar(const Expr& e, const Var& var);
// Calls `f` on every expression node, children first.
template <typename F> void forEachExpr(const ExprPtr& e, F&& f) {
    if (!e) return;
    for (const ExprPtr& child : e->args) forEachExpr(child, f);
    f(e);
}

// Negation of a condition, pushing `!` inward where that reads better.
ExprPtr negate(const ExprPtr& condition);

// The condition is a boolean-valued expression ('Z' type).
bool isBoolean(const Expr& e);

}  // namespace jad::body
