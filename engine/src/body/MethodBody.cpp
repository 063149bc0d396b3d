#include "body/MethodBody.h"

#include "body/Instruction.h"

namespace jad {

std::vector<std::string> decompileBody(const BodyRequest& request) {
    if (!request.method.code) return fallbackBody(request, "no code");
    const body::DecodedCode decoded = body::decode(*request.method.code, request.owner.pool);
    if (!decoded.ok()) return fallbackBody(request, decoded.error);
    return fallbackBody(request, "method bodies are not decompiled yet");
}

}  // namespace jad
