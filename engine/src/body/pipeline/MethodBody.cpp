#include "body/pipeline/MethodBody.h"

#include "body/decode/Fallback.h"
#include "body/decode/ProtectedRanges.h"
#include "body/ir/Failure.h"
#include "body/pipeline/MethodPasses.h"
#include "body/pipeline/PassRunner.h"
#include "body/printer/Printer.h"

namespace jad {

namespace {

// Lambda bodies decompile inside the method that creates them; a class file
// could make that recursion endless.
thread_local int g_lambdaDepth = 0;

DecompiledBody runOnce(const BodyRequest& request, const std::vector<body::Pass>& passes, const std::string& thisName,
                       const JavaType* returnTarget, const body::LambdaScope* scope, body::RecordTests* tests) {
    body::MethodState state({request, thisName, returnTarget, scope, g_lambdaDepth > 0, tests});
    body::runPasses(passes, state);
    return {std::move(state.lines), true, std::move(state.topStatements)};
}

bool isBrokenInvariant(const body::Unsupported& u) { return u.reason.rfind("invariant broken", 0) == 0; }

// A method whose record patterns in instanceof were folded and that then
// failed is tried again as it stood without them: never worse for the fold.
DecompiledBody runFolding(const BodyRequest& request, const std::vector<body::Pass>& passes, const std::string& thisName,
                          const JavaType* returnTarget, const body::LambdaScope* scope) {
    body::RecordTests tests;
    try {
        return runOnce(request, passes, thisName, returnTarget, scope, &tests);
    } catch (const body::Unsupported& failure) {
        if (isBrokenInvariant(failure) || !tests.folded) throw;
    }
    body::RecordTests without;
    without.skip = true;
    return runOnce(request, passes, thisName, returnTarget, scope, &without);
}

// Code whose protected ranges no try statement can hold gets a second try
// with the ranges widened over what cannot throw; code that decompiles as it
// stands is never changed.
DecompiledBody decompile(const BodyRequest& request, const std::vector<body::Pass>& passes, const std::string& thisName,
                         const JavaType* returnTarget, const body::LambdaScope* scope = nullptr) {
    try {
        return runFolding(request, passes, thisName, returnTarget, scope);
    } catch (const body::Unsupported& first) {
        if (isBrokenInvariant(first)) throw;
        const Code& code = *request.method.code;
        std::optional<Code> widened = body::widenProtectedRanges(code, body::decode(code, request.owner.pool));
        if (!widened) throw;
        Method method = request.method;
        method.code = std::move(widened);
        const BodyRequest retry{request.owner,          method,         request.types,      request.options,
                                request.parameterNames, request.unit,   request.outerNames, request.lambdaInterfaces,
                                request.enclosingMethod, request.capturedTypes, request.hiddenParameters};
        try {
            return runFolding(retry, passes, thisName, returnTarget, scope);
        } catch (const body::Unsupported& second) {
            if (isBrokenInvariant(second)) throw;
            throw first;  // the reason of the code as it stands
        }
    }
}

struct DepthGuard {
    DepthGuard() { ++g_lambdaDepth; }
    ~DepthGuard() { --g_lambdaDepth; }
};

}  // namespace

namespace body {

namespace {

class PipelineBodies : public NestedBodies {
public:
    std::vector<std::string> lambdaBody(const BodyRequest& request, const std::string& thisName) const override;
    LambdaBody lambdaFormBody(const BodyRequest& request, const PrintContext& enclosing,
                              const JavaType& returnTarget) const override;
};

std::vector<std::string> PipelineBodies::lambdaBody(const BodyRequest& request, const std::string& thisName) const {
    if (g_lambdaDepth >= 8) throw Unsupported{"lambdas nested too deeply"};
    DepthGuard guard;
    if (!request.method.code) throw Unsupported{"lambda without code"};
    return decompile(request, methodPasses(), thisName, nullptr).lines;
}

LambdaBody PipelineBodies::lambdaFormBody(const BodyRequest& request, const PrintContext& enclosing,
                                          const JavaType& returnTarget) const {
    if (g_lambdaDepth >= 8) throw Unsupported{"lambdas nested too deeply"};
    DepthGuard guard;
    if (!request.method.code) throw Unsupported{"lambda without code"};
    LambdaBody out;
    const LambdaScope scope{enclosing, &returnTarget, &out.shape};
    out.lines = decompile(request, methodPasses(), enclosing.thisName, &returnTarget, &scope).lines;
    return out;
}

}  // namespace

const NestedBodies& pipelineBodies() {
    static const PipelineBodies bodies;
    return bodies;
}

namespace {

DecompiledBody decompileMethodWith(const BodyRequest& request, const std::vector<Pass>& passes) {
    const auto fallback = [&](const std::string& reason) {
        return fallbackBody(request, reason);
    };
    if (!request.method.code) return fallback("no code");
    try {
        const auto type = methodTypeOf(request.method.descriptor);
        return decompile(request, passes, "this", type ? &type->returnType : nullptr);
    } catch (const Unsupported& u) {
        return fallback(u.reason);
    } catch (const ClassFormatError& e) {
        return fallback(e.reason);
    } catch (const std::exception& e) {
        return fallback(std::string("internal error: ") + e.what());
    }
}

}  // namespace

std::vector<std::string> decompileBodyWith(const BodyRequest& request, const std::vector<Pass>& passes) {
    return decompileMethodWith(request, passes).lines;
}

}  // namespace body

DecompiledBody decompileMethod(const BodyRequest& request) {
    return body::decompileMethodWith(request, body::methodPasses());
}

std::vector<std::string> decompileBody(const BodyRequest& request) { return decompileMethod(request).lines; }

}  // namespace jad
