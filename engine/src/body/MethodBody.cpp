#include "body/MethodBody.h"

#include "body/Accessors.h"
#include "body/Asserts.h"
#include "body/ModernLambda.h"
#include "body/Captures.h"
#include "body/Cfg.h"
#include "body/Declare.h"
#include "body/ElementTypes.h"
#include "body/Finally.h"
#include "body/ForEach.h"
#include "body/GenericReturn.h"
#include "body/GenericTypes.h"
#include "body/HiddenFields.h"
#include "body/Hierarchy.h"
#include "body/EnumSwitch.h"
#include "body/Idioms.h"
#include "body/InstanceOfPatterns.h"
#include "body/Instruction.h"
#include "body/Invariants.h"
#include "body/Locals.h"
#include "body/OuterInstances.h"
#include "body/PatternSwitch.h"
#include "body/Printer.h"
#include "body/ReceiverChecks.h"
#include "body/Regions.h"
#include "body/Simplify.h"
#include "body/Stack.h"
#include "body/StringSwitch.h"
#include "body/Structure.h"
#include "body/SwitchExpressions.h"
#include "body/SyntheticNames.h"
#include "body/Tidy.h"
#include "body/TryResources.h"
#include "body/Types.h"
#include "classfile/AccessFlags.h"

namespace jad {

namespace {

// Steps allowed per method: generous for real code, small enough that no
// input keeps the engine busy for long.
uint64_t budgetFor(size_t instructions) { return 200000 + uint64_t(instructions) * 600; }

// Lambda bodies decompile inside the method that creates them; a class file
// could make that recursion endless.
thread_local int g_lambdaDepth = 0;

bool isConstructorCall(const body::Stmt& s) {
    return s.kind == body::StmtKind::Expr && s.expr->kind == body::ExprKind::Invoke && s.expr->name == "<init>" &&
           !s.expr->args.empty() && s.expr->args[0]->kind == body::ExprKind::This;
}

// javac stores the outer instance and captured values in synthetic fields
// before calling the super constructor; the source never wrote those stores.
bool isPlumbing(const body::Stmt& s, const ClassFile& owner) {
    if (s.kind != body::StmtKind::Expr || s.expr->kind != body::ExprKind::Assign) return false;
    const body::Expr& target = *s.expr->args[0];
    if (target.kind != body::ExprKind::Field || target.isStatic || target.owner != owner.thisClass ||
        target.args[0]->kind != body::ExprKind::This) return false;
    for (const Field& f : owner.fields) {
        if (f.name == target.name) return (f.access & access::Synthetic) != 0 || f.syntheticAttribute;
    }
    return false;
}

void dropPlumbingBeforeConstructorCall(body::StmtList& body, const ClassFile& owner) {
    size_t call = 0;
    while (call < body.size() && !isConstructorCall(*body[call])) ++call;
    if (call == body.size()) return;
    for (size_t i = 0; i < call; ++i) {
        if (!isPlumbing(*body[i], owner)) return;
    }
    body.erase(body.begin(), body.begin() + static_cast<long>(call));
}

// Java wants this(...) or super(...) first; code before it cannot be printed.
void checkConstructorCall(const body::StmtList& body) {
    for (size_t i = 0; i < body.size(); ++i) {
        if (isConstructorCall(*body[i]) && i > 0) throw body::Unsupported{"statements before the constructor call"};
    }
}

// A body printed as a lambda inside the code `enclosing` prints: what its
// returned values are typed as there, and what it learns of its statements.
struct LambdaScope {
    const body::PrintContext& enclosing;
    const JavaType* returnTarget;  // null: not known
    body::LambdaShape* shape;
};

// `returnTarget`: the type returned values are given in the printed code;
// null when it is not known (a lambda's anonymous class returns the
// erased interface method's type).
std::vector<std::string> decompile(const BodyRequest& request, const std::string& thisName,
                                   const JavaType* returnTarget, const LambdaScope* scope = nullptr) {
    const body::PrintContext* enclosing = scope ? &scope->enclosing : nullptr;
    using namespace body;
    const Code& code = *request.method.code;
    const DecodedCode decoded = decode(code, request.owner.pool);
    if (!decoded.ok()) throw Unsupported{decoded.error};
    Budget budget(budgetFor(decoded.instructions.size()));
    Cfg cfg = buildCfg(decoded, code, budget);
    // Both passes walk the blocks in this order; neither changes the edges.
    const std::vector<int> order = cfg.reversePostorder(code.handlers);
    Locals locals = buildLocals({decoded, cfg, order, code, request.method, request.owner.thisClass, request.parameterNames}, budget);
    StackInput stackInput{decoded, cfg, order, code, request.owner, request.method, locals};
    buildExpressions(stackInput, budget);
    checkBlocks(cfg, "stack to expressions");
    simplifyBlocks(cfg, code.handlers, locals.all, budget);
    checkBlocks(cfg, "block simplification");
    RegionTree regions = buildRegions(cfg, code.handlers, locals.all, budget);
    foldFinallyBodies(cfg, regions, budget);
    StmtList body = structure(cfg, regions, budget);
    checkTree(body, "structuring");
    // Already parsed (and remembered) for the locals.
    auto type = methodTypeOf(request.method.descriptor);
    const bool isVoid = type && type->returnType.base == 'V' && type->returnType.dimensions == 0;
    tidy(body, isVoid, budget);
    checkTree(body, "tidying");
    const Hierarchy hierarchy(request.owner, request.unit);
    // Before the locals are declared: the clauses of one handler share their locals.
    if (request.options.modern) {
        joinMultiCatch(body, [&](const std::string& a, const std::string& b) { return unrelatedClasses(hierarchy, a, b); });
    }
    recoverEnumSwitches(body, request.unit);
    recoverStringSwitches(body);
    nameSyntheticMembers(body, request.owner, request.unit);
    inlineAccessors(body, request.owner, request.unit);
    recoverIdioms(body, request.method.name == "<init>", request.owner.superClass);
    if (request.method.name == "<init>") moveCaptureStoresAfterSuperCall(body, request.owner);
    if (request.method.name == "<init>") {
        foldReceiverChecksIntoConstructorCall(body, [&](const Stmt& s) { return isPlumbing(s, request.owner); });
    }
    if (request.method.name == "<init>") dropPlumbingBeforeConstructorCall(body, request.owner);
    rewriteOuterInstances(body, request.owner, request.method, request.unit);
    if (request.method.name == "<init>") {
        dropImplicitSuperCall(body, request.owner.superClass);
        checkConstructorCall(body);
    }
    // Without a unit nothing but the class itself is known: only its own
    // overloads are looked at, as every other class would be in doubt.
    MethodTypes methodTypes{type ? type->returnType : primitive('V'), &request.owner,
                            request.unit ? &hierarchy : nullptr, request.options.modern};
    inferTypes(body, locals.all, methodTypes, budget);
    std::optional<GenericTyper> generics;
    if (request.options.modern) {
        generics.emplace(request.owner, request.method, hierarchy);
        typeGenericVariables(body, locals.all, locals.params, *generics, budget);
        refineGenericValues(body, *generics, budget);
    }
    coerceTypes(body, methodTypes, budget);
    qualifyHiddenFields(body, request.owner, hierarchy, thisName == "this");
    if (request.options.modern) {
        foldReceiverChecks(body);
        placeLambdas(body, returnTarget, scope == nullptr, request.owner.thisClass);
    }
    PrintContext context{request.owner, request.types, request.options, {}, request.method.name == "<clinit>", thisName,
                         thisName != "this"};
    context.inLambda = g_lambdaDepth > 0;
    context.method = &request.method;
    if (enclosing) {
        context.method = enclosing->method;
        context.inLambda = enclosing->inLambda;
        context.qualifyStatics = enclosing->qualifyStatics;
    }
    if (scope) *scope->shape = lambdaShape(body);
    if (request.lambdaInterfaces) context.lambdaInterfaces = *request.lambdaInterfaces;
    context.unit = request.unit;
    retypeAnonymousLocals(locals.all, request.unit);
    context.outerNames = request.outerNames;
    context.localNames = declareLocals(body, locals.params, budget, request.outerNames);
    // A lambda's body shares the enclosing scopes: a field named like one of
    // their locals needs its qualifier there too.
    if (enclosing && request.outerNames) context.localNames.insert(request.outerNames->begin(), request.outerNames->end());
    rewriteCapturedReads(body, request.owner, request.method, request.unit, context.localNames);
    context.notFinal = notEffectivelyFinal(body);
    if (generics) castGenericValues(body, *generics, budget);
    context.returnCast = genericReturnCast(request);
    context.fieldCasts = genericFieldCasts(request);
    if (request.options.modern) {
        const ElementTypes elements(request, locals.params, request.unit ? &hierarchy : nullptr);
        foldEnhancedFor(body, [&](const std::string& cls) { return elements.isIterable(cls); },
                        [&](const Expr& iterable, const JavaType& element) { return elements.fit(iterable, element); });
        foldTryResources(body, request.owner);
        foldAsserts(body, request.owner, scope ? nullptr : &context.localNames);
        // Patterns came with Java 16 (class-file version 60).
        if (request.owner.majorVersion >= 60) foldInstanceOfPatterns(body);
        if (request.owner.majorVersion >= 65) recoverPatternSwitches(body);
        // Last: the switch moves into an expression, out of the walks' sight.
        if (request.owner.majorVersion >= 58) foldSwitchExpressions(body, context.localNames);
    }
    checkTree(body, "declarations");
    return printStatements(body, context);
}

struct DepthGuard {
    DepthGuard() { ++g_lambdaDepth; }
    ~DepthGuard() { --g_lambdaDepth; }
};

}  // namespace

namespace body {

std::vector<std::string> lambdaBody(const BodyRequest& request, const std::string& thisName) {
    if (g_lambdaDepth >= 8) throw Unsupported{"lambdas nested too deeply"};
    DepthGuard guard;
    if (!request.method.code) throw Unsupported{"lambda without code"};
    return decompile(request, thisName, nullptr);
}

LambdaBody lambdaFormBody(const BodyRequest& request, const PrintContext& enclosing, const JavaType& returnTarget) {
    if (g_lambdaDepth >= 8) throw Unsupported{"lambdas nested too deeply"};
    DepthGuard guard;
    if (!request.method.code) throw Unsupported{"lambda without code"};
    LambdaBody out;
    const LambdaScope scope{enclosing, &returnTarget, &out.shape};
    out.lines = decompile(request, enclosing.thisName, &returnTarget, &scope);
    return out;
}

}  // namespace body

std::vector<std::string> decompileBody(const BodyRequest& request) {
    if (!request.method.code) return fallbackBody(request, "no code");
    try {
        const auto type = methodTypeOf(request.method.descriptor);
        return decompile(request, "this", type ? &type->returnType : nullptr);
    } catch (const body::Unsupported& u) {
        return fallbackBody(request, u.reason);
    } catch (const ClassFormatError& e) {
        return fallbackBody(request, e.reason);
    } catch (const std::exception& e) {
        return fallbackBody(request, std::string("internal error: ") + e.what());
    }
}

}  // namespace jad
