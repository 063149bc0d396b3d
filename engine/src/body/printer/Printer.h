// Expressions and statements as Java text in the classic dialect.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "body/ir/BodyRequest.h"
#include "body/ir/Ir.h"
#include "body/types/GenericReturn.h"

namespace jad::body {

class NestedBodies;

struct PrintContext {
    const ClassFile& owner;
    const TypeNamer& types;
    const PrintOptions& options;
    std::set<std::string> localNames;  // for deciding when a field needs `this.`
    bool qualifyStatics = false;       // a static initializer may not read a later field by its simple name
    std::string thisName = "this";     // `Outer.this` inside the body of a lambda
    bool inLambda = false;
    // The functional interfaces of the lambdas' classes around the body,
    // innermost last. With no `thisName` (the enclosing instance is
    // anonymous) a member of that instance prints by its simple name where
    // none of those classes has the name, and no other way.
    std::vector<std::string> lambdaInterfaces = {};
    const UnitContext* unit = nullptr;
    std::set<const Var*> notFinal = {};  // locals a capture could not name: assigned again, or apart from their declaration
    const std::set<std::string>* outerNames = nullptr;  // of enclosing scopes still visible here
    ReturnCast returnCast = {};  // the modern dialect's cast of returned values to the declared generic type
    // The same for stores in the class's own fields: made when first asked
    // (few bodies store into a generic field), and only where castsFieldStores.
    bool castsFieldStores = false;
    mutable std::optional<std::map<std::string, ReturnCast>> fieldCasts = {};
    const Method* method = nullptr;  // whose code this is; for a lambda printed as one, the enclosing method
    const NestedBodies* nested = nullptr;  // decompiles the lambdas' bodies; null: they take the fallback
    // The label numbers taken, by every printer of this body (a switch
    // expression's among them) and, for a lambda's body, by the code around
    // it: a label may not reuse the name of one whose statement holds it.
    mutable int labelsTaken = 0;
    // A constructor's leading parameters the source does not declare: a
    // `this(...)` call passing them on first prints without them.
    std::vector<const Var*> hiddenParameters = {};
    // Set while an enum's static initializer is printed: each creation of
    // the enum (or of a constant's class body) that passes a name and an
    // ordinal literal first gets what its constant's declaration would
    // print after the name.
    std::map<const Expr*, std::string>* enumConstantTails = nullptr;
};

class ExprPrinter;

// What a lambda's statements are, for the lambda form: one `return v;`
// (an expression body `-> v`), one void call (`-> f()`), or anything else.
enum class LambdaShape : uint8_t { Block, Value, VoidCall };

struct LambdaBody {
    std::vector<std::string> lines;
    LambdaShape shape = LambdaShape::Block;
};

// A lambda's body is a method of its own, decompiled by the whole pipeline,
// which lies above the printer and hands itself in through the context.
class NestedBodies {
public:
    virtual ~NestedBodies() = default;
    // The statements of a lambda's synthetic method, as the body of the
    // anonymous class method that stands for it.
    virtual std::vector<std::string> lambdaBody(const BodyRequest& request, const std::string& thisName) const = 0;
    // The statements of a lambda's synthetic method as the body of a lambda in
    // the code `enclosing` prints: `this` and member names mean what they mean
    // there, and the body's names keep clear of the request's outer names.
    // `returnTarget`: the type the lambda's returned values are given there.
    virtual LambdaBody lambdaFormBody(const BodyRequest& request, const PrintContext& enclosing,
                                      const JavaType& returnTarget) const = 0;
};

// The context's nested bodies; without them a lambda cannot be printed.
const NestedBodies& nestedBodies(const PrintContext& context);

// Each line on a line of its own after a line break, `indent` before it
// unless it is empty: a nested body's lines continuing an expression.
std::string indentLines(const std::vector<std::string>& lines, const std::string& indent);

// `new Interface() { public R m(...) { ... } }` for a lambda or method reference.
std::string lambdaText(const Expr& e, const PrintContext& context, const ExprPrinter& printer);

class ExprPrinter {
public:
    explicit ExprPrinter(const PrintContext& context) : _c(context) {}
    std::string print(const Expr& e, int minPrecedence = 0) const;
    // print, appended to `out`: no string per subexpression.
    void write(const Expr& e, int minPrecedence, std::string& out) const;
    // An assignment, appended to `out`; `valueAt` receives where its value starts.
    void writeAssignment(const Expr& assign, std::string& out, size_t* valueAt = nullptr) const;
    std::string typeName(const JavaType& type) const;
    // A local's declared type: with its type arguments in the modern dialect.
    std::string varTypeName(const Var& var) const;
    std::string recordPattern(const RecordPattern& pattern) const;
    std::string classOrArrayName(const std::string& internalOrDescriptor) const;
    static int precedence(const Expr& e);

private:
    void text(const Expr& e, std::string& out) const;
    void arrayAccess(const Expr& e, std::string& out) const;
    void operation(const Expr& e, std::string& out) const;
    void assignment(const Expr& e, std::string& out) const;
    bool storesGeneric(const Expr& target, const Expr& value, std::string& out) const;
    std::string literal(const Expr& e) const;
    void arrayOperand(const Expr& array, std::string& out) const;
    void unary(const Expr& e, std::string& out) const;
    void creation(const Expr& e, std::string& out) const;
    void thisText(std::string& out) const;
    void field(const Expr& e, std::string& out) const;
    void invoke(const Expr& e, std::string& out) const;
    void arguments(const Expr& e, size_t from, std::string& out) const;
    std::string arguments(const Expr& e, size_t from) const;
    void newArray(const Expr& e, std::string& out) const;
    void arrayInit(const Expr& e, bool nested, std::string& out) const;
    std::string concat(const Expr& e) const;
    std::string classLiteral(const Expr& e) const;
    void cast(const Expr& e, std::string& out) const;

    const PrintContext& _c;
};

// Where one of a body's statements lies in its printed lines.
struct PrintedStatement {
    size_t firstLine = 0;
    // An assignment statement: where its value starts.
    size_t valueLine = 0, valueColumn = static_cast<size_t>(-1);
};

// `layout`, when given, receives where each of the statements of `body`
// lies, for the callers that take a body apart.
std::vector<std::string> printStatements(const StmtList& body, const PrintContext& context,
                                         std::vector<PrintedStatement>* layout = nullptr);
// A switch expression's text, its lines joined by '\n'.
std::string switchExpressionText(const Expr& e, const PrintContext& context);

}  // namespace jad::body
