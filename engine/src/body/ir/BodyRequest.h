// What the declaration printer hands the method-body decompiler: the
// method, its class and names, and what the unit around it can answer.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "classfile/ClassFile.h"
#include "classfile/Signature.h"
#include "print/PrintOptions.h"
#include "print/TypeNamer.h"

namespace jad {

namespace body {
struct HierarchyMemo;
}

// One argument of an anonymous class's creation, as the constructor's
// reading needs it.
struct AnonymousArgument {
    enum class Kind : uint8_t { This, Local, Null, Other } kind = Kind::Other;
    std::string name;  // Local: its printed name, empty unless it is effectively final
    std::shared_ptr<const GenericType> generic;  // Local, -m: the generic type it is declared with, if any
};

struct AnonymousSite {
    std::string descriptor;  // of the constructor called
    std::vector<AnonymousArgument> arguments;
    const TypeNamer& types;
    const PrintOptions& options;
};

struct AnonymousClass {
    std::string superType;                 // internal name of the class or interface it extends
    std::string superTypeText;             // not empty: the supertype with its type arguments, as printed
    std::vector<size_t> superArguments;    // creation arguments passed on to the super constructor
    std::vector<std::string> members;      // its members, indented one level
    std::string failure;                   // not empty: why it cannot be printed there
};

// How a local class printed in place takes what the source never passed:
// its constructors' descriptors hold the enclosing instance first, when it
// has one, and the values of the captured locals last.
struct LocalClassShape {
    bool outerParameter = false;
    std::vector<std::string> captureFields;  // per trailing parameter, the field it fills
};

// What a body may ask of the compilation unit it is printed in; the
// declaration printer answers, so the body decompiler never reads files.
class UnitContext {
public:
    virtual ~UnitContext() = default;
    // The class `internalName` ("a/b/Outer$1") when it lies beside the input,
    // read once per unit; null when it is missing or unreadable.
    virtual const ClassFile* findClass(const std::string& internalName) const = 0;
    // Any class a name in the body may refer to, for the lookup of its
    // members: the unit's own and its package's as findClass, and the
    // platform's where they can be read; null when it cannot be seen.
    virtual const ClassFile* findType(const std::string& internalName) const { return findClass(internalName); }
    // Where the bodies of the class `owner` keep what they learn of the
    // classes they use, for the unit's life (one the unit's classes may
    // share); null where nothing is kept.
    virtual body::HierarchyMemo* hierarchyMemo(const std::string& owner) const {
        (void)owner;
        return nullptr;
    }
    // The class printed where `new internalName(...)` runs when it is an
    // anonymous class; nothing for any other class.
    virtual std::optional<AnonymousClass> anonymousClass(const std::string& internalName,
                                                         const AnonymousSite& site) const {
        (void)internalName;
        (void)site;
        return std::nullopt;
    }
    // While an anonymous class is printed: its fields holding captured
    // locals (`val$x`) and the names the enclosing code gives those locals
    // (empty when it has none); null for any other class.
    virtual const std::map<std::string, std::string>* capturedNames(const std::string& internalName) const {
        (void)internalName;
        return nullptr;
    }
    // While an anonymous class is printed: the generic type of the local its
    // capture field holds, as the enclosing code declares it; null when raw
    // or not known.
    virtual std::shared_ptr<const GenericType> capturedType(const std::string& internalName, const std::string& field) const {
        (void)internalName;
        (void)field;
        return nullptr;
    }
    // -m: the local classes the method `name descriptor` of `owner` declares
    // and the unit prints there, as a local class declaration statement.
    virtual std::vector<std::string> localClassesOf(const std::string& owner, const std::string& name,
                                                    const std::string& descriptor) const {
        (void)owner;
        (void)name;
        (void)descriptor;
        return {};
    }
    // Whether the unit prints any local class in place: without one no body
    // has a creation to rewrite or a declaration to make.
    virtual bool hasLocalClassesInPlace() const { return false; }
    // The shape of a local class printed in place; null for any other class.
    virtual const LocalClassShape* localClassShape(const std::string& internalName) const {
        (void)internalName;
        return nullptr;
    }
    // The declaration of a local class printed in place, whose captured
    // locals go by `captureNames` (one per capture field) and whose code
    // must not hide `scopeNames`, the locals in scope where it stands; lines
    // as a body's. Empty when it cannot be printed.
    virtual std::vector<std::string> localClassDeclaration(const std::string& internalName,
                                                           const std::vector<std::string>& captureNames,
                                                           const std::set<std::string>& scopeNames,
                                                           const TypeNamer& types, const PrintOptions& options) const {
        (void)internalName;
        (void)captureNames;
        (void)scopeNames;
        (void)types;
        (void)options;
        return {};
    }
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
    // Names of enclosing scopes the body sees (the captured locals of an
    // anonymous class, the enclosing method's names around a lambda): its
    // own locals keep clear of them.
    const std::set<std::string>* outerNames = nullptr;
    // A lambda's body: the functional interfaces of the lambdas around it.
    const std::vector<std::string>* lambdaInterfaces = nullptr;
    // A lambda's body: the method whose code the source wrote it in (its
    // type variables are in scope), and the type arguments of the values it
    // captures, one per leading parameter (null where raw or unknown).
    const Method* enclosingMethod = nullptr;
    const std::vector<std::shared_ptr<const GenericType>>* capturedTypes = nullptr;
    // A constructor's first parameters the source does not declare (an
    // enum's name and ordinal): a `this(...)` call that passes them on first
    // is printed without them, as the source wrote it.
    size_t hiddenParameters = 0;
};

// An enum constant's creation as javac writes it in the static
// initializer: the constant's own name and its ordinal first, then what the
// source passed.
struct EnumCreation {
    int64_t ordinal = 0;
    // What the constant's declaration prints after its name: the arguments
    // in parentheses (none without arguments), then the class body of a
    // constant that has one; lines joined by '\n'.
    std::string tail;
};

// A statement of a body's top level, as the declaration printer asks after
// it: what it is, and where its lines start.
struct TopStatement {
    enum class Kind : uint8_t { Other, StaticStore, FieldStore, SuperCall, ThisCall, Throw };
    Kind kind = Kind::Other;
    size_t firstLine = 0;
    // StaticStore: the static field of the method's own class it assigns,
    // and (in a static initializer) the value's lines as the statement
    // prints it. FieldStore: the instance field of the class it assigns
    // through `this`.
    std::string field, descriptor;
    std::vector<std::string> value;
    // FieldStore: the parameter whose value it stores unchanged; npos when
    // the value is anything else.
    size_t storedParameter = npos;
    // StaticStore of an enum's static initializer, in the modern dialect:
    // the value when it creates the constant the field is.
    std::optional<EnumCreation> enumCreation;
    // SuperCall, ThisCall: how many arguments the call passes, and how many
    // of them, from the first, are the constructor's own parameters in order.
    size_t arguments = 0, leadingParameters = 0;
    // In a constructor: whether it reads or writes an instance field of the
    // class through `this` anywhere (a lambda that captures `this` counts:
    // its body may).
    bool usesOwnFields = false;
    // In a constructor: the parameters it names anywhere, each once, in order.
    std::vector<size_t> parameters;

    static constexpr size_t npos = static_cast<size_t>(-1);

    static TopStatement at(Kind kind, size_t firstLine) {
        TopStatement statement;
        statement.kind = kind;
        statement.firstLine = firstLine;
        return statement;
    }
};

// A body as the declaration printer takes it: its lines and its top-level
// statements.
struct DecompiledBody {
    std::vector<std::string> lines;
    bool decompiled = false;  // false: the fallback body
    std::vector<TopStatement> statements;
    // The lines of statement `i`.
    std::vector<std::string> linesOf(size_t i) const;
    // The lines from statement `i` on.
    std::vector<std::string> linesFrom(size_t i) const;
    // The lines of statements `from` up to `to`, that one not included.
    std::vector<std::string> linesBetween(size_t from, size_t to) const;
};

}  // namespace jad
