#include "body/pipeline/PassRunner.h"

#include "body/flow/Invariants.h"
#include "body/pipeline/IrDump.h"

namespace jad::body {

namespace {

std::optional<std::string> brokenInvariant(const MethodState& state) {
    switch (state.form) {
    case IrForm::Blocks: return checkBlocks(state.cfg);
    case IrForm::Tree: return checkTree(state.body);
    case IrForm::Code:
    case IrForm::Text: break;
    }
    return std::nullopt;
}

void check(const Pass& pass, const MethodState& state) {
    const std::optional<std::string> broken = brokenInvariant(state);
    if (!broken) return;
    const std::string line = std::string("invariant broken after ") + pass.name + " in " + methodLabel(state) + ": " + *broken;
    if (DebugReport* report = state.request.options.report) report->brokenInvariants.push_back(line);
    throw Unsupported{line};
}

void dump(const Pass& pass, const MethodState& state) {
    DebugReport* report = state.request.options.report;
    if (!report) return;
    report->dumps.push_back(std::string("// after ") + pass.name + " (" + stageName(pass.stage) + ") in " +
                            methodLabel(state));
    for (const std::string& line : dumpIr(state)) report->dumps.push_back("    " + line);
}

}  // namespace

std::string methodLabel(const MethodState& state) {
    return state.request.owner.thisClass + "." + state.request.method.name + state.request.method.descriptor;
}

void runPasses(const std::vector<Pass>& passes, MethodState& state) {
    const PrintOptions& options = state.request.options;
    for (const Pass& pass : passes) {
        if (pass.applies && !pass.applies(state)) continue;
        pass.run(state);
        state.form = pass.leaves;
        if (options.checkInvariants) check(pass, state);
        if (!options.dumpAfter.empty() && options.dumpAfter == pass.name) dump(pass, state);
    }
}

}  // namespace jad::body
