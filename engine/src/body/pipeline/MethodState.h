// What the passes over one method body share: the request, the IR in each
// of its forms, and what several passes read (the hierarchy, the types, the
// context the statements are printed in).
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "body/decode/Instruction.h"
#include "body/flow/Cfg.h"
#include "body/flow/Locals.h"
#include "body/flow/Regions.h"
#include "body/generics/GenericTypes.h"
#include "body/pipeline/MethodBody.h"
#include "body/printer/Printer.h"
#include "body/types/Hierarchy.h"
#include "body/typing/Types.h"

namespace jad::body {

// A body printed as a lambda inside the code `enclosing` prints: what its
// returned values are typed as there, and what it learns of its statements.
struct LambdaScope {
    const PrintContext& enclosing;
    const JavaType* returnTarget;  // null: not known
    LambdaShape* shape;
};

// Which IR the method is held in: instructions only, blocks of statements,
// one statement tree, printed lines.
enum class IrForm : uint8_t { Code, Blocks, Tree, Text };

// Record patterns in instanceof: folded unless `skip`; `folded` notes that
// one was, so that a method that then fails is tried again without.
struct RecordTests {
    bool skip = false;
    bool folded = false;
};

struct MethodRequest {
    const BodyRequest& body;
    const std::string& thisName;  // "this", or what `this` prints as around a lambda
    // The type returned values are given in the printed code; null when it
    // is not known (a lambda's anonymous class returns the erased interface
    // method's type).
    const JavaType* returnTarget = nullptr;
    const LambdaScope* scope = nullptr;  // set for a body printed as a lambda
    bool inLambda = false;               // printed inside a lambda's body
    RecordTests* recordTests = nullptr;  // null: folded, unreported
};

struct MethodState {
    explicit MethodState(const MethodRequest& in);
    MethodState(const MethodState&) = delete;
    MethodState& operator=(const MethodState&) = delete;

    bool constructor() const { return request.method.name == "<init>"; }
    bool modern() const { return request.options.modern; }

    const BodyRequest& request;
    const std::string& thisName;
    const JavaType* returnTarget;
    const LambdaScope* scope;
    RecordTests* recordTests;
    const Code& code;
    const std::shared_ptr<const MethodType> type;  // null when the descriptor is malformed

    IrForm form = IrForm::Code;
    Budget budget{0};  // sized once the instructions are known
    DecodedCode decoded;
    Cfg cfg;
    std::vector<int> order;  // reachable blocks in reverse postorder; the edges stay put while it is used
    Locals locals;
    RegionTree regions;
    StmtList body;

    const Hierarchy hierarchy;
    // Without a unit nothing but the class itself is known: only its own
    // overloads are looked at, as every other class would be in doubt.
    const MethodTypes methodTypes;
    std::optional<GenericTyper> generics;  // the modern dialect's
    PrintContext context;
    std::vector<std::string> lines;  // the result
    std::vector<TopStatement> topStatements;  // what the lines' top-level statements are
    // What the printer notes of the enum constants the body creates, per creation.
    std::map<const Expr*, std::string> enumConstantTails;
};

// The whole pipeline, for the bodies of the lambdas a body prints.
const NestedBodies& pipelineBodies();

}  // namespace jad::body
