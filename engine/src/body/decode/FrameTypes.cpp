#include "body/decode/FrameTypes.h"

namespace jad::body {

namespace {

bool isWide(const VerificationType& t) { return t.tag == VerificationTag::Long || t.tag == VerificationTag::Double; }

bool isWellFormed(const std::string& className) {
    return !className.empty() && (className[0] != '[' || parseFieldDescriptor(className).has_value());
}

}  // namespace

std::vector<FrameLocals> frameReferenceLocals(const Code& raw, const DecodedCode& code) {
    std::vector<FrameLocals> result;
    for (const StackMapFrame& frame : raw.frames) {
        if (frame.offset >= code.atPc.size() || code.atPc[frame.offset] < 0) continue;
        FrameLocals at;
        at.insn = static_cast<size_t>(code.atPc[frame.offset]);
        uint32_t slot = 0;
        for (const VerificationType& t : frame.locals) {
            if (t.tag == VerificationTag::Object && isWellFormed(t.className)) at.references.emplace_back(slot, &t.className);
            slot += isWide(t) ? 2 : 1;
        }
        if (!at.references.empty()) result.push_back(std::move(at));
    }
    return result;
}

}  // namespace jad::body
