#include "body/pipeline/MethodState.h"

namespace jad::body {

namespace {

PrintContext contextFor(const MethodRequest& in) {
    const BodyRequest& r = in.body;
    PrintContext context{r.owner, r.types, r.options, {}, r.method.name == "<clinit>", in.thisName, in.inLambda};
    context.method = r.enclosingMethod ? r.enclosingMethod : &r.method;
    if (in.scope) {
        const PrintContext& enclosing = in.scope->enclosing;
        context.method = enclosing.method;
        context.inLambda = enclosing.inLambda;
        context.qualifyStatics = enclosing.qualifyStatics;
        context.labelsTaken = enclosing.labelsTaken;
    }
    if (r.lambdaInterfaces) context.lambdaInterfaces = *r.lambdaInterfaces;
    context.unit = r.unit;
    context.outerNames = r.outerNames;
    context.nested = &pipelineBodies();
    return context;
}

}  // namespace

MethodState::MethodState(const MethodRequest& in)
    : request(in.body),
      thisName(in.thisName),
      returnTarget(in.returnTarget),
      scope(in.scope),
      recordTests(in.recordTests),
      code(*in.body.method.code),
      // Parsed (and remembered) once for the locals too.
      type(methodTypeOf(in.body.method.descriptor)),
      hierarchy(in.body.owner, in.body.unit),
      methodTypes{type ? type->returnType : primitive('V'), &in.body.owner, in.body.unit ? &hierarchy : nullptr,
                  in.body.options.modern},
      context(contextFor(in)) {}

}  // namespace jad::body
