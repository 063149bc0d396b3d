// The modern dialect's view of a body's values with their type arguments:
// the type javac gives each printed expression, from the Signature
// attributes of the members it uses (the class's own, its unit's and the
// platform's), the receiver's type arguments substituted. Every answer that
// is not sure is empty, and callers then keep the erased type, which javac
// always accepts as a raw one.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "body/ir/Failure.h"
#include "body/ir/Ir.h"
#include "classfile/ClassFile.h"
#include "classfile/Signature.h"
#include "classfile/SignatureCache.h"

namespace jad::body {

class Hierarchy;

using GenericPtr = std::shared_ptr<const GenericType>;

// What a type variable stands for: a type, or a wildcard of it.
using Bindings = std::map<std::string, TypeArgument>;

bool sameGeneric(const GenericType& a, const GenericType& b);
// Whether the type names a type variable anywhere.
bool mentionsVariable(const GenericType& type);
// The names of the type variables the type names.
void collectVariables(const GenericType& type, std::set<std::string>& into);

// Where a substituted type is used: a value read (a wildcard `? extends X`
// reads as X) or a parameter written to (`? super X` takes an X).
enum class Position : uint8_t { Result, Parameter };

// `type` with every variable replaced by what `bindings` say; nothing when a
// variable is unbound or its wildcard cannot stand in that position.
std::optional<GenericType> substitute(const GenericType& type, const Bindings& bindings, Position position);

class GenericTyper {
public:
    // `enclosing`: for a lambda's body, the method the source wrote it in,
    // whose type variables it sees.
    GenericTyper(const ClassFile& owner, const Method& method, const Hierarchy& hierarchy,
                 const Method* enclosing = nullptr);

    // javac's type of `e` as the modern dialect prints it; null when unsure,
    // raw, or primitive.
    GenericPtr typeOf(const Expr& e) const;
    // The parameter types of the method `call` invokes, seen through its
    // receiver, one per descriptor parameter (null where unsure); empty when
    // nothing is known.
    std::vector<GenericPtr> parameterTypes(const Expr& call) const;
    // The parameter `index` of the called method as its signature declares
    // it, variables unsubstituted; null when not known.
    const GenericType* declaredParameter(const Expr& call, size_t index) const;
    // The parameter types the lambda passed as the call's argument
    // `index` (in the call's args) gets from the call's parameter, one per
    // interface method parameter; empty when any is unsure.
    std::vector<GenericPtr> lambdaParameterTypes(const Expr& call, size_t index) const;
    // `type` as the supertype `target` (internal name), type arguments
    // carried through the declarations; nothing when a class cannot be
    // read or is used raw on the way.
    std::optional<GenericType> asSuper(const GenericType& type, const std::string& target) const;

    // Every variable the type names is declared by the method or a class
    // around it, so the body may name it.
    bool inScope(const GenericType& type) const;
    // The erasure of a type this body can name.
    JavaType erasureOf(const GenericType& type) const;
    // A type variable of the method's `throws` clause, or null.
    const GenericType* thrownVariable() const;
    // typeOf, but null for a call whose result names the method's own type
    // variables: what javac infers for them depends on the target too, and
    // the call's checkcast stays.
    GenericPtr refinableType(const Expr& e) const;
    // The call's result type names the method's own type variables.
    bool resultInferred(const Expr& call) const;
    // The result names a variable of the method's with a bound that no
    // parameter names: only the call's target infers it.
    bool inferredFromBoundedTarget(const Expr& call) const;
    // A non-null argument goes to a parameter typed with a type variable of
    // the declaring class that the receiver binds to `?` or `? extends X`
    // (or in a way not known).
    bool takesVariableArgument(const Expr& call) const;
    // The indices (among the call's arguments after its receiver) of those.
    std::vector<size_t> variableArguments(const Expr& call) const;
    // The class declares type parameters of its own.
    bool isGenericClass(const ClassFile& file) const;
    // The class declares a type parameter of that name.
    bool declaresVariable(const ClassFile& file, const std::string& name) const;
    // `type` names an anonymous class, which the output declares as its supertype.
    bool isAnonymousType(const JavaType& type) const;
    // The supertype with its type arguments that a local of the anonymous
    // class `type` is declared with; null when raw or not nameable here.
    GenericPtr anonymousSupertype(const JavaType& type) const;

    // While one of these lives, typeOf keeps its answer for each expression:
    // a walk asks again and again about the same values (every call types
    // its receiver and arguments, which are calls in turn). Whoever changes
    // the tree or a variable's type meanwhile calls forgetTypes.
    class RememberedTypes {
    public:
        explicit RememberedTypes(const GenericTyper& typer) : _typer(typer) { _typer._remember = true; }
        ~RememberedTypes() {
            _typer._remember = false;
            _typer.forgetTypes();
        }
        RememberedTypes(const RememberedTypes&) = delete;
        RememberedTypes& operator=(const RememberedTypes&) = delete;

    private:
        const GenericTyper& _typer;
    };
    void forgetTypes() const { _known.clear(); }
    void forgetType(const Expr& e) const { _known.erase(&e); }

    const MethodSignature* methodSignature() const { return _signature.get(); }
    const Hierarchy& hierarchy() const { return _hierarchy; }
    const ClassFile& owner() const { return _owner; }

private:
    const GenericType* boundToward(const GenericType& variable, const std::string& target) const;
    // The class with its own type variables as arguments: Map<K, V>.
    GenericType ownType(const ClassFile& file) const;
    // Binds each variable in scope to itself when `cls` is this class or one
    // around it, whose declarations name those variables.
    void bindEnclosingVariables(const std::string& cls, Bindings& into) const;
    // The nearest declaration of the type variable `name` in scope, or null.
    const TypeParameter* visibleParameter(const std::string& name) const;
    bool isLocalOfThisCode(const std::string& cls) const;
    // Binds the parameters of each class around the last step of `type` to
    // that step's arguments: the K and V of Map<K, V>.Entry-like types.
    bool bindOuterSteps(const GenericType& type, Bindings& into) const;
    GenericPtr computeType(const Expr& e) const;
    void bindAroundCreated(const std::string& cls, Bindings& into) const;
    GenericPtr invokeType(const Expr& e) const;
    GenericPtr callType(const Expr& e, const Method& method, const std::string& declaring) const;
    // An argument goes raw (or not known to be otherwise) to a parameter of
    // a parameterized type: javac then types the call's result erased.
    bool passesRaw(const Expr& call, const MethodSignature& signature) const;
    GenericPtr fieldType(const Expr& e) const;
    // `Outer.this` through the synthetic outer-instance fields: Outer<K, V>.
    GenericPtr outerInstanceType(const std::string& cls) const;
    GenericPtr plainType(const JavaType& type) const;
    // The receiver's bindings for members declared in `declaring`.
    std::optional<Bindings> receiverBindings(const Expr& e, const std::string& declaring) const;
    std::optional<Bindings> bindingsAs(const GenericType& receiver, const std::string& declaring) const;
    // The receiver's type arguments less the method's own variables, then
    // what the arguments say of those; nothing when the receiver's are unknown.
    std::optional<Bindings> callBindings(const Expr& call, const std::string& declaring,
                                         const MethodSignature& signature, size_t firstArgument) const;
    const ClassSignature* classSignature(const ClassFile& file) const;
    const MethodSignature* signatureOf(const Method& method) const;
    const Method* findMethod(const std::string& cls, const std::string& name, const std::string& descriptor,
                             std::string& declaring) const;
    // Constructors are not inherited: the class's own, of the descriptor
    // as called or as an inner class's with its outer instance first.
    const Method* findConstructor(const std::string& cls, const std::string& descriptor) const;
    const Field* findField(const std::string& cls, const std::string& name, std::string& declaring) const;
    void inferMethodVariables(const MethodSignature& signature, const Expr& call, size_t firstArgument,
                              Bindings& bindings) const;
    std::vector<std::pair<std::string, GenericPtr>> typeArgumentBindings(const MethodSignature& signature,
                                                                         const GenericType& parameter,
                                                                         const Expr& argument) const;

    const ClassFile& _owner;
    const Method& _method;
    const Method* _around;  // a lambda's body: the method the source wrote it in
    const Hierarchy& _hierarchy;
    std::shared_ptr<const MethodSignature> _signature;
    // The type parameters of the method, its class and those of the classes
    // around it, nearest first; they point into the signatures held below.
    std::vector<const std::vector<TypeParameter>*> _scopes;
    mutable std::optional<Bindings> _scopeBindings;  // each of those bound to itself, made when first asked
    GenericPtr _thisType;  // shared by every answer that is this class
    std::set<std::string> _enclosing;  // this class and those around it whose variables are in scope
    // Held for the typer's life: the answers above point into them.
    mutable std::map<const std::string*, std::shared_ptr<const ClassSignature>> _classSignatures;
    mutable std::map<const std::string*, std::shared_ptr<const MethodSignature>> _methodSignatures;
    // receiverBindings' answers, by the receiver's type (held here) and the declaring class.
    struct ReceiverBindings {
        GenericPtr type;
        std::map<std::string, std::optional<Bindings>, std::less<>> byDeclaring;
    };
    mutable std::unordered_map<const GenericType*, ReceiverBindings> _receiverBindings;
    mutable bool _remember = false;
    mutable std::unordered_map<const Expr*, GenericPtr> _known;
};

// Generic types of the body's variables: parameters from the method's
// Signature where no debug information gave them, locals whose every value
// has one and the same; any that names a variable out of scope is dropped.
// `captured`: a lambda body's leading parameters, the values it captures,
// typed as the enclosing code declares them (null where unknown).
void typeGenericVariables(StmtList& body, const std::vector<VarPtr>& vars, const std::vector<VarPtr>& params,
                          const GenericTyper& typer, Budget& budget, const std::vector<GenericPtr>* captured = nullptr);

// Calls and field reads take the erasure of their generic type as their
// static type, as javac sees them, so that casts and overload checks after
// this see the same types javac will.
void refineGenericValues(StmtList& body, const GenericTyper& typer, Budget& budget);

// Casts where javac would not accept the erased value for a generic target
// (a local, an argument, a thrown value), null casts fitted to the generic
// parameter, and the diamond for creations stored in generic locals.
void castGenericValues(StmtList& body, const GenericTyper& typer, Budget& budget);

}  // namespace jad::body
