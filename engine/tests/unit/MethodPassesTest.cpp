// The method-body pipeline as a table: the order its passes must keep, the
// checks after each pass, and the dump of the IR after a named one.
#include <gtest/gtest.h>

#include <set>

#include "BodyTestSupport.h"
#include "body/pipeline/MethodPasses.h"

namespace jad::test {
namespace {

using body::IrForm;
using body::MethodState;
using body::Pass;
using body::Stage;

size_t indexOf(const std::string& name) {
    const auto& passes = body::methodPasses();
    for (size_t i = 0; i < passes.size(); ++i) {
        if (name == passes[i].name) return i;
    }
    ADD_FAILURE() << "no pass " << name;
    return passes.size();
}

struct Before {
    const char* earlier;
    const char* later;
    const char* why;
};

const Before Constraints[] = {
    {"decode", "cfg", "blocks are cut at the decoded instructions"},
    {"block-order", "locals", "locals and expressions walk the blocks in that order"},
    {"locals", "expressions", "loads and stores become reads and writes of the locals found"},
    {"expressions", "simplify-blocks", "the conditions that are joined are expressions"},
    {"simplify-blocks", "regions", "&&, || and ?: collapse blocks the regions would otherwise hold apart"},
    {"regions", "finally", "the copies of a finally body are found in the regions"},
    {"finally", "structure", "a folded finally body is structured once"},
    {"structure", "tidy", "tidying works on statements"},
    {"multi-catch", "declare-locals", "the clauses of one handler share their locals"},
    {"constructor-receiver-checks", "constructor-plumbing",
     "the checks fold into the call over the plumbing still standing between them"},
    {"constructor-plumbing", "implicit-super", "super() is first only once the plumbing before it is gone"},
    {"constructor-plumbing", "constructor-call-first", "plumbing left in front would fail the check"},
    {"infer-types", "generic-variables", "generic types refine the inferred erased ones"},
    {"generic-variables", "generic-values", "values are typed through the typed variables"},
    {"generic-values", "coerce-types", "casts go where the types still differ"},
    {"place-lambdas", "lambda-shape", "the shape is read off the statements as the lambda holds them"},
    {"anonymous-locals", "declare-locals", "a local's type is settled before it is declared"},
    {"declare-locals", "captured-reads", "captured reads need the names the locals took"},
    {"declare-locals", "effectively-final", "a local assigned apart from its declaration is not final"},
    {"generic-variables", "generic-casts", "the casts come from the generic typer"},
    {"declare-locals", "asserts", "the assertion flag's name keeps clear of the locals"},
    {"declare-locals", "switch-expressions", "a switch's result local is declared where it moves"},
};

TEST(MethodPasses, OrderKeepsEveryConstraint) {
    for (const Before& c : Constraints) {
        EXPECT_LT(indexOf(c.earlier), indexOf(c.later)) << c.earlier << " before " << c.later << ": " << c.why;
    }
    // The switch moves into an expression, out of the later walks' sight.
    const auto& passes = body::methodPasses();
    for (size_t i = indexOf("switch-expressions") + 1; i < passes.size(); ++i) EXPECT_NE(passes[i].stage, Stage::Sugar);
}

TEST(MethodPasses, EachPassRunsOnceAndTheFormOnlyMovesOn) {
    std::set<std::string> names;
    IrForm form = IrForm::Code;
    for (const Pass& pass : body::methodPasses()) {
        EXPECT_TRUE(names.insert(pass.name).second) << pass.name << " is listed twice";
        EXPECT_GE(pass.leaves, form) << pass.name << " goes back to an earlier form";
        form = pass.leaves;
        EXPECT_EQ(body::findPass(pass.name), &pass);
    }
    EXPECT_EQ(std::string(body::methodPasses().front().name), "decode");
    EXPECT_EQ(std::string(body::methodPasses().back().name), "print");
    EXPECT_EQ(body::methodPasses().back().leaves, IrForm::Text);
    EXPECT_EQ(body::findPass("no-such-pass"), nullptr);
}

// A pass that leaves a jump to a label nothing encloses: printed, it would
// be a break out of the wrong statement.
void breakToNowhere(MethodState& state) {
    auto jump = body::makeStmt(body::StmtKind::Break);
    jump->target = 9999;
    state.body.insert(state.body.begin(), jump);
}

// One that leaves a conditional block without its condition.
void dropACondition(MethodState& state) {
    for (body::Block& b : state.cfg.blocks) {
        if (b.exit == body::BlockExit::Cond) b.cond = nullptr;
    }
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

std::vector<Pass> withPassAfter(const std::string& after, const Pass& extra) {
    std::vector<Pass> passes;
    for (const Pass& pass : body::methodPasses()) {
        passes.push_back(pass);
        if (after == pass.name) passes.push_back(extra);
    }
    return passes;
}

class PassChecks : public BodyTest {
public:
    static constexpr const char* Source = "class T { static int sign(int x) { if (x < 0) return -1; return x > 0 ? 1 : 0; } }";

protected:
    std::string run(const std::vector<Pass>& passes) {
        auto compiled = compileJava(dir.path(), {{"T.java", Source}}, "-g");
        EXPECT_EQ(compiled.status, 0) << compiled.err;
        const std::vector<uint8_t> bytes = readBytes(dir.path() / "classes" / "T.class");
        file = readClassFile(bytes.data(), bytes.size());
        options.report = &report;
        std::vector<std::string> names{"p0"};
        for (const Method& m : file.methods) {
            if (m.name != "sign") continue;
            BodyRequest request{file, m, types, options, names};
            std::string text;
            for (const std::string& line : body::decompileBodyWith(request, passes)) text += line + "\n";
            return text;
        }
        ADD_FAILURE() << "no method sign";
        return {};
    }

    ClassFile file;
    DebugReport report;
};

TEST_F(PassChecks, BrokenInvariantNamesThePassAndTheMethod) {
    const std::string text = run(withPassAfter("tidy", {"break-to-nowhere", Stage::Sugar, IrForm::Tree, breakToNowhere}));
    const std::string expected = "invariant broken after break-to-nowhere in T.sign(I)I: jump to a label that does not enclose it";
    ASSERT_EQ(report.brokenInvariants.size(), 1u);
    EXPECT_EQ(report.brokenInvariants[0], expected);
    // The method takes its fallback body, which names the reason.
    EXPECT_NE(text.find(expected), std::string::npos) << text;
    EXPECT_NE(text.find("throw new RuntimeException"), std::string::npos) << text;
}

TEST_F(PassChecks, BlocksAreCheckedBeforeStructuring) {
    run(withPassAfter("simplify-blocks", {"drop-a-condition", Stage::Flow, IrForm::Blocks, dropACondition}));
    ASSERT_EQ(report.brokenInvariants.size(), 1u);
    EXPECT_EQ(report.brokenInvariants[0], "invariant broken after drop-a-condition in T.sign(I)I: branch without a condition");
}

TEST_F(PassChecks, WithoutCheckingNothingIsReported) {
    options.checkInvariants = false;
    run(withPassAfter("tidy", {"break-to-nowhere", Stage::Sugar, IrForm::Tree, breakToNowhere}));
    EXPECT_TRUE(report.brokenInvariants.empty());
}

TEST_F(PassChecks, DumpShowsTheIrAfterTheNamedPass) {
    options.dumpAfter = "expressions";
    run(body::methodPasses());
    ASSERT_FALSE(report.dumps.empty());
    EXPECT_EQ(report.dumps[0], "// after expressions (stack) in T.sign(I)I");
    expectPieces(joinLines(report.dumps), {"block 0 at pc 0: if 2 1", "condition: p0 >= 0;", "block 1 at pc 4: end", "return -1;"});
    report.dumps.clear();
    options.dumpAfter = "tidy";
    const std::string text = run(body::methodPasses());
    ASSERT_FALSE(report.dumps.empty());
    EXPECT_EQ(report.dumps[0], "// after tidy (structure) in T.sign(I)I");
    expectPieces(joinLines(report.dumps), {"if (p0 < 0)", "return -1;", "return p0 <= 0 ? 0 : 1;"});
    expectDecompiled(text);
}

// The options on the command line: checking leaves a sound method's output
// as it was; a dump goes to standard error; a pass must exist to be named.
TEST(MethodPassesCommandLine, CheckAndDumpAfter) {
    TempDir dir;
    auto compiled = compileJava(dir.path(), {{"T.java", PassChecks::Source}}, "-g");
    ASSERT_EQ(compiled.status, 0) << compiled.err;
    const std::string input = (dir.path() / "classes" / "T.class").string();
    const ProcessResult plain = runJad({"-p", input}, dir.path());
    const ProcessResult checked = runJad({"--check", "-p", input}, dir.path());
    EXPECT_EQ(checked.status, 0) << checked.err;
    EXPECT_EQ(checked.err, "");
    EXPECT_EQ(checked.out, plain.out);
    const ProcessResult dumped = runJad({"--dump-after=structure", "-p", input}, dir.path());
    EXPECT_EQ(dumped.status, 0) << dumped.err;
    EXPECT_EQ(dumped.out, plain.out);
    expectPieces(dumped.err, {"// after structure (structure) in T.sign(I)I", "return -1;"});
    const ProcessResult unknown = runJad({"--dump-after=structuring", "-p", input}, dir.path());
    EXPECT_EQ(unknown.status, 2);
    expectPieces(unknown.err, {"--dump-after needs the name of a pass", "decode", "print"});
    expectPieces(runJad({"-h"}, dir.path()).out, {"--check", "--dump-after=<pass>"});
}

}  // namespace
}  // namespace jad::test
