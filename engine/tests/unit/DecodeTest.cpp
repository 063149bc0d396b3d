// The decoder on hand-made code: every operand form, and every way code can
// be malformed, each reported instead of read past.
#include <gtest/gtest.h>

#include "body/decode/Disassembly.h"
#include "body/decode/Fallback.h"
#include "body/decode/Instruction.h"

namespace jad::body {
namespace {

ConstantPool smallPool() {
    std::vector<Constant> entries(4);
    entries[1].tag = ConstantTag::Utf8;
    entries[1].utf8 = "java/lang/Object";
    entries[2].tag = ConstantTag::Class;
    entries[2].a = 1;
    entries[3].tag = ConstantTag::Integer;
    entries[3].intValue = 42;
    return ConstantPool(entries);
}

Code codeOf(std::vector<uint8_t> bytes, uint16_t maxLocals = 4) {
    Code code;
    code.maxStack = 4;
    code.maxLocals = maxLocals;
    code.bytes = std::move(bytes);
    return code;
}

TEST(Decode, WideFormsAndSwitchPadding) {
    // 0: wide iinc 3 1000; 6: iload 1; 8: tableswitch (padded to 12) 0..1; 32: lookupswitch; 52: return
    std::vector<uint8_t> b = {0xc4, 0x84, 0, 3, 0x03, 0xe8, 0x15, 1, 0xaa, 0, 0, 0,
                              0, 0, 0, 44, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 44, 0, 0, 0, 44};
    b.insert(b.end(), {0xab, 0, 0, 0, 0, 0, 0, 20, 0, 0, 0, 1, 0, 0, 0, 9, 0, 0, 0, 20, 0xb1});
    const DecodedCode d = decode(codeOf(b), smallPool());
    ASSERT_TRUE(d.ok()) << d.error;
    ASSERT_EQ(d.instructions.size(), 5u);
    EXPECT_TRUE(d.instructions[0].wide);
    EXPECT_EQ(d.instructions[0].value, 1000);
    EXPECT_EQ(d.instructions[2].cases.size(), 2u);
    EXPECT_EQ(d.instructions[2].target, 52u);
    EXPECT_EQ(d.instructions[3].pc, 32u);
    EXPECT_EQ(d.instructions[3].cases[0].key, 9);
    EXPECT_EQ(d.instructions[3].cases[0].target, 52u);
}

TEST(Decode, MalformedCodeIsReportedNotRead) {
    const ConstantPool pool = smallPool();
    const std::vector<std::pair<std::vector<uint8_t>, std::string>> cases = {
        {{0x11, 0x00}, "truncated"},                    // sipush missing a byte
        {{0xa7, 0x00, 0x02, 0xb1}, "middle"},           // goto into its own operand
        {{0xa7, 0x7f, 0x00}, "outside"},                 // goto past the end
        {{0xcb}, "invalid opcode"},
        {{0x13, 0x00, 0x09}, "out of range"},            // ldc_w #9
        {{0xbb, 0x00, 0x03}, "unfit"},                   // new #3 (an Integer)
        {{0x15, 0x09}, "max_locals"},                    // iload 9
        {{0xc4, 0x10, 0, 0}, "wide before"},             // wide bipush
        {{0xaa, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5, 0, 0, 0, 1}, "reversed"},
        {{0xab, 0, 0, 0, 0, 0, 0, 0, 0x7f, 0xff, 0xff, 0xff}, "truncated"},
    };
    for (const auto& [bytes, reason] : cases) {
        const DecodedCode d = decode(codeOf(bytes), pool);
        EXPECT_NE(d.error.find(reason), std::string::npos) << "expected '" << reason << "', got '" << d.error << "'";
    }
}

TEST(Decode, ExceptionRangesMustFitTheCode) {
    Code code = codeOf({0x03, 0xac});  // iconst_0; ireturn
    code.handlers.push_back({0, 3, 1, ""});
    EXPECT_NE(decode(code, smallPool()).error.find("exception range"), std::string::npos);
}

TEST(Decode, CommentTextCannotEscapeTheComment) {
    EXPECT_EQ(commentSafe("a\\u000a b\n\xc3\xa9*/"), "a\\\\u000a b??" "?*/");
}

class Names : public TypeNamer {
public:
    std::string className(const std::string& n) const override { return n.substr(n.rfind('/') + 1); }
};

TEST(Fallback, ListsTheCodeAndThrowsWithAnEscapedReason) {
    ClassFile file;
    file.pool = smallPool();
    file.thisClass = "T";
    file.superClass = "java/lang/Object";
    Method m;
    m.name = "f";
    m.descriptor = "()I";
    m.code = codeOf({0x12, 0x03, 0xac});  // ldc #3; ireturn
    Names names;
    PrintOptions options;
    std::vector<std::string> params;
    const DecompiledBody body = fallbackBody({file, m, names, options, params}, "odd \"code\"\\\n");
    const std::vector<std::string>& lines = body.lines;
    ASSERT_GE(lines.size(), 3u);
    // The listing and then the throw, which the declarations may wrap.
    EXPECT_FALSE(body.decompiled);
    ASSERT_EQ(body.statements.size(), 2u);
    EXPECT_EQ(body.statements[0].kind, TopStatement::Kind::Other);
    EXPECT_EQ(body.statements[1].kind, TopStatement::Kind::Throw);
    EXPECT_EQ(body.statements[1].firstLine, lines.size() - 1);
    EXPECT_EQ(lines[0], "// Not decompiled: odd \"code\"\\\\?");
    EXPECT_EQ(lines[1], "//   0: ldc 42");
    EXPECT_EQ(lines.back(), "throw new RuntimeException(\"not decompiled: odd \\\"code\\\"\\\\?\");");
}

}  // namespace
}  // namespace jad::body
