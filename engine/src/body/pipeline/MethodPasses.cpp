#include "body/pipeline/MethodPasses.h"

#include <algorithm>

#include "body/classes/LocalClassDeclarations.h"
#include "body/flow/Stack.h"
#include "body/ir/Walk.h"
#include "body/pipeline/TopStatements.h"
#include "body/printer/ModernLambda.h"
#include "body/structure/Declare.h"
#include "body/structure/Finally.h"
#include "body/structure/Simplify.h"
#include "body/structure/Structure.h"
#include "body/structure/Tidy.h"
#include "body/sugar/Asserts.h"
#include "body/sugar/EnumSwitch.h"
#include "body/sugar/ForEach.h"
#include "body/sugar/InstanceOfPatterns.h"
#include "body/sugar/PatternSwitch.h"
#include "body/sugar/StringSwitch.h"
#include "body/sugar/SwitchExpressions.h"
#include "body/sugar/TryResources.h"
#include "body/synthetic/Accessors.h"
#include "body/synthetic/Captures.h"
#include "body/synthetic/ConstructorPrologue.h"
#include "body/synthetic/Idioms.h"
#include "body/synthetic/ReceiverChecks.h"
#include "body/synthetic/RecordPatterns.h"
#include "body/synthetic/SyntheticNames.h"
#include "body/types/ElementTypes.h"
#include "body/types/HiddenFields.h"
#include "body/types/OuterInstances.h"

namespace jad::body {

namespace {

// Steps allowed per method: generous for real code, small enough that no
// input keeps the engine busy for long.
uint64_t budgetFor(size_t instructions) { return 200000 + uint64_t(instructions) * 600; }

bool modern(const MethodState& s) { return s.modern(); }
bool constructor(const MethodState& s) { return s.constructor(); }
bool lambdaForm(const MethodState& s) { return s.scope != nullptr; }
// The language levels the modern forms came with, by class-file version.
bool hasSwitchExpressions(const MethodState& s) { return s.modern() && s.request.owner.majorVersion >= 58; }
bool hasInstanceOfPatterns(const MethodState& s) { return s.modern() && s.request.owner.majorVersion >= 60; }
bool hasPatternSwitches(const MethodState& s) { return s.modern() && s.request.owner.majorVersion >= 65; }

void decodePass(MethodState& s) {
    s.decoded = decode(s.code, s.request.owner.pool);
    if (!s.decoded.ok()) throw Unsupported{s.decoded.error};
    s.budget = Budget(budgetFor(s.decoded.instructions.size()));
}

void cfgPass(MethodState& s) { s.cfg = buildCfg(s.decoded, s.code, s.budget); }
void orderPass(MethodState& s) {
    s.order = s.cfg.reversePostorder(s.code.handlers);
    s.cfg.removeUnreached(s.order);
}

void localsPass(MethodState& s) {
    const BodyRequest& r = s.request;
    s.locals = buildLocals({s.decoded, s.cfg, s.order, s.code, r.method, r.owner.thisClass, r.parameterNames}, s.budget);
}

void expressionsPass(MethodState& s) {
    StackInput input{s.decoded, s.cfg, s.order, s.code, s.request.owner, s.request.method, s.locals};
    buildExpressions(input, s.budget);
}

void simplifyPass(MethodState& s) { simplifyBlocks(s.cfg, s.code.handlers, s.locals.all, s.budget); }
void recordPatternsPass(MethodState& s) {
    const bool tests = !s.recordTests || !s.recordTests->skip;
    const bool folded = foldRecordPatternChains(s.cfg, s.code.handlers, s.hierarchy, s.locals.all, tests);
    if (s.recordTests) s.recordTests->folded = s.recordTests->folded || folded;
}
void regionsPass(MethodState& s) { s.regions = buildRegions(s.cfg, s.code.handlers, s.locals.all, s.budget); }
void finallyPass(MethodState& s) { foldFinallyBodies(s.cfg, s.regions, s.budget); }
void structurePass(MethodState& s) { s.body = structure(s.cfg, s.regions, s.budget); }

void tidyPass(MethodState& s) {
    const bool isVoid = s.type && s.type->returnType.base == 'V' && s.type->returnType.dimensions == 0;
    tidy(s.body, isVoid, s.budget);
}

void multiCatchPass(MethodState& s) {
    joinMultiCatch(s.body, [&](const std::string& a, const std::string& b) { return unrelatedClasses(s.hierarchy, a, b); });
}

void enumSwitchesPass(MethodState& s) { recoverEnumSwitches(s.body, s.request.unit); }
void stringSwitchesPass(MethodState& s) { recoverStringSwitches(s.body); }
void syntheticNamesPass(MethodState& s) { nameSyntheticMembers(s.body, s.request.owner, s.request.unit); }
void accessorsPass(MethodState& s) { inlineAccessors(s.body, s.request.owner, s.request.unit); }
void idiomsPass(MethodState& s) { recoverIdioms(s.body); }
void captureStoresPass(MethodState& s) { moveCaptureStoresAfterSuperCall(s.body, s.request.owner); }

void constructorReceiverChecksPass(MethodState& s) {
    foldReceiverChecksIntoConstructorCall(s.body, [&](const Stmt& st) { return isPlumbing(st, s.request.owner); });
}

void plumbingPass(MethodState& s) { dropPlumbingBeforeConstructorCall(s.body, s.request.owner); }

void outerInstancesPass(MethodState& s) {
    rewriteOuterInstances(s.body, s.request.owner, s.request.method, s.request.unit);
}

void implicitSuperPass(MethodState& s) { dropImplicitSuperCall(s.body, s.request.owner.superClass); }
void constructorCallFirstPass(MethodState& s) { checkConstructorCall(s.body); }
void inferTypesPass(MethodState& s) { inferTypes(s.body, s.locals.all, s.methodTypes, s.budget); }

void genericVariablesPass(MethodState& s) {
    s.generics.emplace(s.request.owner, s.request.method, s.hierarchy, s.request.enclosingMethod);
    typeGenericVariables(s.body, s.locals.all, s.locals.params, *s.generics, s.budget, s.request.capturedTypes);
}

void genericValuesPass(MethodState& s) { refineGenericValues(s.body, *s.generics, s.budget); }
void coerceTypesPass(MethodState& s) { coerceTypes(s.body, s.methodTypes, s.budget); }

void hiddenFieldsPass(MethodState& s) {
    qualifyHiddenFields(s.body, s.request.owner, s.hierarchy, s.thisName == "this");
}

void receiverChecksPass(MethodState& s) { foldReceiverChecks(s.body); }

void placeLambdasPass(MethodState& s) {
    placeLambdas(s.body, s.returnTarget, s.scope == nullptr, s.request.owner.thisClass);
}

void lambdaShapePass(MethodState& s) { *s.scope->shape = lambdaShape(s.body); }
void anonymousLocalsPass(MethodState& s) { retypeAnonymousLocals(s.locals.all, s.request.unit); }

void declareLocalsPass(MethodState& s) {
    const std::set<std::string>* outer = s.request.outerNames;
    s.context.localNames = declareLocals(s.body, s.locals.params, s.budget, outer);
    // A lambda's body shares the enclosing scopes: a field named like one of
    // their locals needs its qualifier there too.
    if (s.scope && outer) s.context.localNames.insert(outer->begin(), outer->end());
}

void capturedReadsPass(MethodState& s) {
    rewriteCapturedReads(s.body, s.request.owner, s.request.method, s.request.unit, s.context.localNames);
}

void effectivelyFinalPass(MethodState& s) { s.context.notFinal = notEffectivelyFinal(s.body); }

void genericCastsPass(MethodState& s) {
    if (s.generics) castGenericValues(s.body, *s.generics, s.budget);
    s.context.returnCast = genericReturnCast(s.request);
    s.context.castsFieldStores = true;
}

void enhancedForPass(MethodState& s) {
    if (!containsStmt(s.body, StmtKind::Loop)) return;  // spares making the element types
    const ElementTypes elements(s.request, s.locals.params, s.request.unit ? &s.hierarchy : nullptr);
    foldEnhancedFor(s.body, [&](const std::string& cls) { return elements.isIterable(cls); },
                    [&](const Expr& iterable, const JavaType& element) { return elements.fit(iterable, element); });
}

void tryResourcesPass(MethodState& s) { foldTryResources(s.body, s.request.owner); }
void assertsPass(MethodState& s) { foldAsserts(s.body, s.request.owner, s.scope ? nullptr : &s.context.localNames); }
void instanceOfPatternsPass(MethodState& s) { foldInstanceOfPatterns(s.body); }
void patternSwitchesPass(MethodState& s) { recoverPatternSwitches(s.body); }
void switchExpressionsPass(MethodState& s) { foldSwitchExpressions(s.body, s.context.localNames); }
void localClassesPass(MethodState& s) {
    // A declaration makes a lambda's body a block.
    if (declareLocalClasses(s.body, s.context, s.request.method, s.locals.params) && s.scope) {
        *s.scope->shape = LambdaShape::Block;
    }
}

// What the declaration hides, and the enum constants it takes out of the
// static initializer, the printer writes for it.
void prepareDeclarationForms(MethodState& s) {
    const std::vector<VarPtr>& params = s.locals.params;
    const size_t hidden = s.request.hiddenParameters;
    if (hidden && hidden <= params.size() && std::all_of(params.begin(), params.begin() + static_cast<long>(hidden),
                                                          [](const VarPtr& p) { return p != nullptr; })) {
        for (size_t i = 0; i < hidden; ++i) s.context.hiddenParameters.push_back(params[i].get());
    }
    if (describesEnumCreations(s)) s.context.enumConstantTails = &s.enumConstantTails;
}

void printPass(MethodState& s) {
    prepareDeclarationForms(s);
    std::vector<PrintedStatement> layout;
    s.lines = printStatements(s.body, s.context, &layout);
    s.topStatements = describeTopStatements(s, s.lines, layout);
}

}  // namespace

const char* stageName(Stage stage) {
    switch (stage) {
    case Stage::Decode: return "decode";
    case Stage::Flow: return "flow";
    case Stage::Vars: return "vars";
    case Stage::Stack: return "stack";
    case Stage::Structure: return "structure";
    case Stage::Sugar: return "sugar";
    case Stage::Types: return "types";
    case Stage::Print: return "print";
    }
    return "?";
}

// The constraints between the passes are stated, with their reasons, in the
// engine's unit tests; the comments here say what a pass needs of its place.
const std::vector<Pass>& methodPasses() {
    using S = Stage;
    using F = IrForm;
    static const std::vector<Pass> passes = {
        {"decode", S::Decode, F::Code, decodePass},
        {"cfg", S::Flow, F::Code, cfgPass},
        // Locals and expressions walk the blocks in this order; neither changes the edges.
        {"block-order", S::Flow, F::Code, orderPass},
        {"locals", S::Vars, F::Code, localsPass},
        {"expressions", S::Stack, F::Blocks, expressionsPass},
        {"simplify-blocks", S::Flow, F::Blocks, simplifyPass},
        // Before the regions: the handler around a record's accessor calls goes with them.
        {"record-patterns", S::Flow, F::Blocks, recordPatternsPass, hasPatternSwitches},
        {"regions", S::Structure, F::Blocks, regionsPass},
        {"finally", S::Structure, F::Blocks, finallyPass},
        {"structure", S::Structure, F::Tree, structurePass},
        {"tidy", S::Structure, F::Tree, tidyPass},
        // Before the locals are declared: the clauses of one handler share their locals.
        {"multi-catch", S::Sugar, F::Tree, multiCatchPass, modern},
        {"enum-switches", S::Sugar, F::Tree, enumSwitchesPass},
        {"string-switches", S::Sugar, F::Tree, stringSwitchesPass},
        {"synthetic-names", S::Sugar, F::Tree, syntheticNamesPass},
        {"accessors", S::Sugar, F::Tree, accessorsPass},
        {"idioms", S::Sugar, F::Tree, idiomsPass},
        {"capture-stores", S::Sugar, F::Tree, captureStoresPass, constructor},
        {"constructor-receiver-checks", S::Sugar, F::Tree, constructorReceiverChecksPass, constructor},
        {"constructor-plumbing", S::Sugar, F::Tree, plumbingPass, constructor},
        {"outer-instances", S::Sugar, F::Tree, outerInstancesPass},
        {"implicit-super", S::Sugar, F::Tree, implicitSuperPass, constructor},
        {"constructor-call-first", S::Sugar, F::Tree, constructorCallFirstPass, constructor},
        {"infer-types", S::Types, F::Tree, inferTypesPass},
        {"generic-variables", S::Types, F::Tree, genericVariablesPass, modern},
        {"generic-values", S::Types, F::Tree, genericValuesPass, modern},
        {"coerce-types", S::Types, F::Tree, coerceTypesPass},
        {"hidden-fields", S::Print, F::Tree, hiddenFieldsPass},
        {"receiver-checks", S::Sugar, F::Tree, receiverChecksPass, modern},
        {"place-lambdas", S::Sugar, F::Tree, placeLambdasPass, modern},
        {"lambda-shape", S::Sugar, F::Tree, lambdaShapePass, lambdaForm},
        {"anonymous-locals", S::Vars, F::Tree, anonymousLocalsPass},
        {"declare-locals", S::Vars, F::Tree, declareLocalsPass},
        {"captured-reads", S::Vars, F::Tree, capturedReadsPass},
        {"effectively-final", S::Vars, F::Tree, effectivelyFinalPass},
        {"generic-casts", S::Types, F::Tree, genericCastsPass},
        {"enhanced-for", S::Sugar, F::Tree, enhancedForPass, modern},
        {"try-resources", S::Sugar, F::Tree, tryResourcesPass, modern},
        {"asserts", S::Sugar, F::Tree, assertsPass, modern},
        {"instanceof-patterns", S::Sugar, F::Tree, instanceOfPatternsPass, hasInstanceOfPatterns},
        {"pattern-switches", S::Sugar, F::Tree, patternSwitchesPass, hasPatternSwitches},
        // Last: the switch moves into an expression, out of the walks' sight.
        {"switch-expressions", S::Sugar, F::Tree, switchExpressionsPass, hasSwitchExpressions},
        // After every walk: the declarations are text.
        {"local-classes", S::Print, F::Tree, localClassesPass, modern},
        {"print", S::Print, F::Text, printPass},
    };
    return passes;
}

const Pass* findPass(const std::string& name) {
    for (const Pass& pass : methodPasses()) {
        if (name == pass.name) return &pass;
    }
    return nullptr;
}

}  // namespace jad::body
