// The passes that turn a method's code into statements, in the order they
// run. Each names the stage it belongs to and the IR form it leaves behind,
// so that the driver can check that IR after it and show it on request.
#pragma once

#include <string>
#include <vector>

#include "body/pipeline/MethodState.h"

namespace jad::body {

// decode: instructions; flow: blocks and edges; vars: locals; stack: the
// operand stack made expressions; structure: blocks made statements;
// sugar: the source forms the compiler lowered; types: what the values'
// types are and where a cast keeps them; print: the text.
enum class Stage : uint8_t { Decode, Flow, Vars, Stack, Structure, Sugar, Types, Print };

const char* stageName(Stage stage);

struct Pass {
    const char* name;  // what --dump-after names it by
    Stage stage;
    IrForm leaves;  // the form the IR is in afterwards
    void (*run)(MethodState& state);
    // Null: it always runs; otherwise it runs only when this holds (the
    // dialect, a constructor, the class file's version).
    bool (*applies)(const MethodState& state) = nullptr;
};

// The method-body pipeline.
const std::vector<Pass>& methodPasses();
// The pass named `name` in the pipeline; null when there is none.
const Pass* findPass(const std::string& name);

// decompileBody with `passes` in place of the pipeline (lambda bodies inside
// still take the pipeline's): for tests of the driver.
std::vector<std::string> decompileBodyWith(const BodyRequest& request, const std::vector<Pass>& passes);

}  // namespace jad::body
