#include <gtest/gtest.h>

#include "ClassBytes.h"
#include "JavaTestSupport.h"
#include "classfile/ClassReader.h"
#include "print/AnnotationText.h"

namespace jad {
namespace {

using test::ClassBytes;

std::string reasonFor(const std::vector<uint8_t>& bytes) {
    try {
        readClassFile(bytes.data(), bytes.size());
    } catch (const ClassFormatError& error) {
        return error.reason;
    }
    return "no error";
}

TEST(ClassReader, ReadsAMinimalClass) {
    auto bytes = ClassBytes().header().standardPool().classInfo().noMembers().bytes();
    ClassFile file = readClassFile(bytes.data(), bytes.size());
    EXPECT_EQ(file.thisClass, "A");
    EXPECT_EQ(file.superClass, "java/lang/Object");
    EXPECT_EQ(file.majorVersion, 52);
    EXPECT_EQ(file.pool.count(), 7);
}

TEST(ClassReader, RejectsWhatIsNotAClassFileOrTooNew) {
    EXPECT_EQ(reasonFor({}), "not a class file (only 0 bytes)");
    EXPECT_EQ(reasonFor({'P', 'K', 3, 4, 0, 0}), "not a class file (magic 0x504B0304)");
    auto tooNew = ClassBytes().header(70).standardPool().classInfo().noMembers().bytes();
    EXPECT_EQ(reasonFor(tooNew), "unsupported class-file version 70.0");
    auto tooOld = ClassBytes().header(44).bytes();
    EXPECT_EQ(reasonFor(tooOld), "unsupported class-file version 44.0");
    auto oldest = ClassBytes().header(45).standardPool().classInfo().noMembers().bytes();
    EXPECT_EQ(reasonFor(oldest), "no error");
}

TEST(ClassReader, ChecksConstantPoolReferences) {
    // this_class names entry 9 of a pool of 7.
    auto outOfRange = ClassBytes().header().standardPool().u2(0x21).u2(9).u2(4).u2(0).noMembers().bytes();
    EXPECT_EQ(reasonFor(outOfRange), "constant pool index 9 out of range (count 7)");
    auto wrongTag = ClassBytes().header().standardPool().u2(0x21).u2(1).u2(4).u2(0).noMembers().bytes();
    EXPECT_EQ(reasonFor(wrongTag), "constant pool entry 1 has tag 1, expected 7");
    auto badTag = ClassBytes().header().u2(2).u1(2).u2(0).bytes();
    EXPECT_EQ(reasonFor(badTag), "constant pool entry 1 has unknown tag 2");
    // A Class entry naming an Integer.
    auto classOfInt = ClassBytes().header().u2(3).u1(3).u4(5).u1(7).u2(1).bytes();
    EXPECT_EQ(reasonFor(classOfInt), "constant pool entry 1 has tag 3, expected 1");
    auto lastLong = ClassBytes().header().u2(2).u1(5).u4(0).u4(1).bytes();
    EXPECT_EQ(reasonFor(lastLong), "constant pool entry 1 takes two slots but is the last");
    auto badHandle = ClassBytes().header().standardPool(8).u1(15).u1(1).u2(2).bytes();
    EXPECT_EQ(reasonFor(badHandle), "constant pool entry 7 is a method handle to the wrong kind of member");
}

TEST(ClassReader, RefusesCountsTheBytesCannotHold) {
    auto hugePool = ClassBytes().header().u2(0xFFFF).utf8("A").bytes();
    EXPECT_EQ(reasonFor(hugePool), "constant pool count 65535 exceeds the file size");
    auto hugeFields = ClassBytes().header().standardPool().classInfo().u2(0xFFFF).bytes();
    EXPECT_EQ(reasonFor(hugeFields), "truncated at byte " + std::to_string(hugeFields.size()));
    auto hugeAttribute = ClassBytes().header().standardPool().classInfo().u2(0).u2(0).u2(1).u2(5).u4(0x7FFFFFFF).bytes();
    EXPECT_EQ(reasonFor(hugeAttribute), "Code attribute length 2147483647 exceeds the 0 bytes left");
}

TEST(ClassReader, ChecksCodeAgainstItsOwnLength) {
    // Pool with a descriptor "()V" at #7.
    auto withCode = [](const std::vector<uint8_t>& code) {
        ClassBytes bytes;
        bytes.header().u2(8).utf8("A").u1(7).u2(1).utf8("java/lang/Object").u1(7).u2(3).utf8("Code").utf8("m")
            .utf8("()V").classInfo().u2(0).u2(1).u2(9).u2(6).u2(7).u2(1).u2(5)
            .u4(static_cast<uint32_t>(code.size())).raw(code).u2(0);
        return bytes.bytes();
    };
    // max_stack, max_locals, code_length 1, return, no handlers, no attributes.
    EXPECT_EQ(reasonFor(withCode({0, 1, 0, 0, 0, 0, 0, 1, 0xB1, 0, 0, 0, 0})), "no error");
    EXPECT_EQ(reasonFor(withCode({0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0})), "method m has code length 0");
    // A handler range past the one byte of code.
    EXPECT_EQ(reasonFor(withCode({0, 1, 0, 0, 0, 0, 0, 1, 0xB1, 0, 1, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0})),
              "exception handler range 0-2 is outside the code");
    // code_length says 9 bytes but the attribute holds only one.
    EXPECT_EQ(reasonFor(withCode({0, 1, 0, 0, 0, 0, 0, 9, 0xB1, 0, 0, 0, 0})),
              "Code attribute overruns its length at byte 95");
}

// A static method m()V, max_stack 1, max_locals 1, code `nop; return`, with
// one StackMapTable attribute of `frames` (count first).
std::vector<uint8_t> withStackMap(const std::vector<uint8_t>& frames) {
    ClassBytes code;
    code.u2(1).u2(1).u4(2).u1(0).u1(0xB1).u2(0).u2(1).u2(8).u4(static_cast<uint32_t>(frames.size())).raw(frames);
    ClassBytes bytes;
    bytes.header().u2(9).utf8("A").u1(7).u2(1).utf8("java/lang/Object").u1(7).u2(3).utf8("Code").utf8("m")
        .utf8("()V").utf8("StackMapTable").classInfo().u2(0).u2(1).u2(9).u2(6).u2(7).u2(1).u2(5)
        .u4(static_cast<uint32_t>(code.bytes().size())).raw(code.bytes()).u2(0);
    return bytes.bytes();
}

TEST(ClassReader, ExpandsAndChecksStackMapFrames) {
    // One append frame at offset 1 adding an int local.
    auto bytes = withStackMap({0, 1, 252, 0, 1, 1});
    ClassFile file = readClassFile(bytes.data(), bytes.size());
    const auto& frames = file.methods[0].code->frames;
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].offset, 1u);
    ASSERT_EQ(frames[0].locals.size(), 1u);
    EXPECT_EQ(frames[0].locals[0].tag, VerificationTag::Integer);
    EXPECT_EQ(reasonFor(withStackMap({0, 2, 252, 0, 1, 1, 64, 1})), "stack map frame at offset 2 outside the code");
    EXPECT_EQ(reasonFor(withStackMap({0, 1, 200})), "stack map has reserved frame type 200");
    EXPECT_EQ(reasonFor(withStackMap({0, 1, 250, 0, 0})), "stack map chops more locals than there are");
    // Two locals where max_locals is 1; a long counts twice.
    EXPECT_EQ(reasonFor(withStackMap({0, 1, 252, 0, 0, 4})), "stack map frame exceeds max_locals");
    EXPECT_EQ(reasonFor(withStackMap({0, 1, 64, 9})), "stack map has unknown verification type 9");
    EXPECT_EQ(reasonFor(withStackMap({0, 1, 64, 8, 0, 7})), "stack map names offset 7 outside the code");
}

TEST(ClassReader, RejectsBytesAfterTheClass) {
    auto bytes = ClassBytes().header().standardPool().classInfo().noMembers().u1(0).bytes();
    EXPECT_EQ(reasonFor(bytes), "1 extra bytes after the end of the class at byte " + std::to_string(bytes.size() - 1));
}

// A javac-compiled class exercises the attributes a hand-built one does not.
TEST(ClassReader, ReadsJavacOutputWithStackMapsAndDebugInfo) {
    test::TempDir dir;
    auto compiled = test::compileJava(dir.path(), {{"Frames.java", R"(
        import java.lang.annotation.*;
        @Retention(RetentionPolicy.RUNTIME) @interface Tag { String value() default "x"; int[] n() default {1, 2}; }
        public class Frames {
            @Tag("t") @Deprecated
            static int pick(int a, long b, String s) throws java.io.IOException {
                int r = 0;
                for (int i = 0; i < a; i++) { if (s == null) r += i; else r -= 1; }
                try { r = (int) b; } catch (RuntimeException e) { r = 2; }
                return r;
            }
        })"}}, "-g -parameters");
    ASSERT_EQ(compiled.status, 0) << compiled.err;
    auto bytes = test::readBytes(dir.path() / "classes" / "Frames.class");
    ClassFile file = readClassFile(bytes.data(), bytes.size());
    EXPECT_EQ(file.sourceFile, "Frames.java");
    const Method* pick = nullptr;
    for (const auto& method : file.methods) {
        if (method.name == "pick") pick = &method;
    }
    ASSERT_NE(pick, nullptr);
    ASSERT_EQ(pick->annotations.size(), 2u);
    EXPECT_EQ(pick->annotations[0].type, "LTag;");
    EXPECT_EQ(annotationText(pick->annotations[0]), "@Tag(\"t\")");
    EXPECT_EQ(annotationText(pick->annotations[1]), "@Deprecated");
    EXPECT_EQ(pick->exceptions, std::vector<std::string>{"java/io/IOException"});
    ASSERT_EQ(pick->parameters.size(), 3u);
    EXPECT_EQ(pick->parameters[2].name, "s");
    ASSERT_TRUE(pick->code);
    EXPECT_EQ(pick->code->handlers.size(), 1u);
    EXPECT_EQ(pick->code->handlers[0].catchType, "java/lang/RuntimeException");
    EXPECT_FALSE(pick->code->lines.empty());
    ASSERT_FALSE(pick->code->frames.empty());
    // Every frame is absolute: the parameters stay as locals 0-2 (the long
    // one entry), and offsets increase.
    uint32_t previous = 0;
    for (size_t i = 0; i < pick->code->frames.size(); ++i) {
        const auto& frame = pick->code->frames[i];
        ASSERT_GE(frame.locals.size(), 3u);
        EXPECT_EQ(frame.locals[0].tag, VerificationTag::Integer);
        EXPECT_EQ(frame.locals[1].tag, VerificationTag::Long);
        EXPECT_EQ(frame.locals[2].className, "java/lang/String");
        if (i > 0) {
            EXPECT_GT(frame.offset, previous);
        }
        previous = frame.offset;
    }
    // The catch handler's frame has the exception on its stack.
    bool handlerFrame = false;
    for (const auto& frame : pick->code->frames) {
        if (frame.offset == pick->code->handlers[0].handlerPc) {
            ASSERT_EQ(frame.stack.size(), 1u);
            handlerFrame = frame.stack[0].className == "java/lang/RuntimeException";
        }
    }
    EXPECT_TRUE(handlerFrame);

    auto tagBytes = test::readBytes(dir.path() / "classes" / "Tag.class");
    ClassFile tag = readClassFile(tagBytes.data(), tagBytes.size());
    ASSERT_EQ(tag.methods.size(), 2u);
    ASSERT_TRUE(tag.methods[0].annotationDefault && tag.methods[1].annotationDefault);
    EXPECT_EQ(elementValueText(*tag.methods[0].annotationDefault), "\"x\"");
    EXPECT_EQ(elementValueText(*tag.methods[1].annotationDefault), "{1, 2}");
    ASSERT_EQ(tag.annotations.size(), 1u);
    EXPECT_EQ(annotationText(tag.annotations[0]),
              "@java.lang.annotation.Retention(java.lang.annotation.RetentionPolicy.RUNTIME)");
}

}  // namespace
}  // namespace jad
