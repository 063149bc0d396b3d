// The in-memory model of one class file, as the reader leaves it: every index
// already checked, every name resolved to text. Later stages never touch bytes
// outside Code::bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "classfile/AccessFlags.h"
#include "classfile/ConstantPool.h"

namespace jad {

struct ExceptionHandler {
    uint16_t startPc = 0;
    uint16_t endPc = 0;
    uint16_t handlerPc = 0;
    std::string catchType;  // internal name; empty catches everything (finally)
};

struct LineNumber {
    uint16_t startPc = 0;
    uint16_t line = 0;
};

// One entry of LocalVariableTable; in LocalVariableTypeTable `descriptor`
// holds the generic signature instead.
struct LocalVariable {
    uint16_t startPc = 0;
    uint16_t length = 0;
    std::string name;
    std::string descriptor;
    uint16_t slot = 0;
};

// StackMapTable verification types, tags as in the class-file format.
enum class VerificationTag : uint8_t {
    Top = 0, Integer = 1, Float = 2, Double = 3, Long = 4,
    Null = 5, UninitializedThis = 6, Object = 7, Uninitialized = 8,
};

struct VerificationType {
    VerificationTag tag = VerificationTag::Top;
    std::string className;  // Object: internal name or array descriptor
    uint16_t offset = 0;    // Uninitialized: offset of the `new`
};

// A frame expanded to absolute form: the offset it applies at and the full
// locals and stack (a long or double takes one entry, as in the attribute).
struct StackMapFrame {
    uint32_t offset = 0;
    std::vector<VerificationType> locals;
    std::vector<VerificationType> stack;
};

struct Code {
    uint16_t maxStack = 0;
    uint16_t maxLocals = 0;
    std::vector<uint8_t> bytes;
    std::vector<ExceptionHandler> handlers;
    std::vector<LineNumber> lines;
    std::vector<LocalVariable> locals;      // LocalVariableTable
    std::vector<LocalVariable> localTypes;  // LocalVariableTypeTable
    std::vector<StackMapFrame> frames;      // empty when absent
};

struct MethodParameter {
    std::string name;  // may be empty (the attribute allows a missing name)
    uint16_t access = 0;
};

// Annotations as the class file holds them; the printer makes them Java
// source text ("@Override", "@Foo(x = 1)").
struct Annotation;

struct ElementValue {
    // B C D F I J S Z: a constant; s: a string; e: an enum constant; c: a
    // class literal; @: an annotation; [: an array.
    char tag = 0;
    int64_t integer = 0;      // B C I J S Z
    float floatValue = 0;     // F
    double doubleValue = 0;   // D
    std::string text;         // s: the string (modified UTF-8); e: the constant's name; c: the descriptor ("V": void)
    std::string enumType;     // e: the enum's descriptor
    std::vector<ElementValue> elements;  // [
    std::vector<Annotation> annotation;  // @: exactly one
};

struct AnnotationElement {
    std::string name;
    ElementValue value;
};

struct Annotation {
    std::string type;  // its descriptor: "Ljava/lang/Deprecated;"
    std::vector<AnnotationElement> elements;
};

using Annotations = std::vector<Annotation>;

struct Field {
    uint16_t access = 0;
    std::string name;
    std::string descriptor;
    std::string signature;
    std::optional<uint16_t> constantValue;  // pool index, tag already checked
    Annotations annotations;
    bool deprecated = false;
    bool syntheticAttribute = false;
};

struct Method {
    uint16_t access = 0;
    std::string name;
    std::string descriptor;
    std::string signature;
    std::vector<std::string> exceptions;  // internal names
    std::optional<Code> code;
    std::vector<MethodParameter> parameters;
    Annotations annotations;
    std::vector<Annotations> parameterAnnotations;
    std::optional<ElementValue> annotationDefault;
    bool deprecated = false;
    bool syntheticAttribute = false;
};

// Made by the compiler: the flag says so, or the attribute older
// compilers wrote instead.
inline bool isSynthetic(const Field& field) { return (field.access & access::Synthetic) || field.syntheticAttribute; }
inline bool isSynthetic(const Method& method) {
    return (method.access & access::Synthetic) || method.syntheticAttribute;
}

struct InnerClass {
    std::string innerClass;  // internal name
    std::string outerClass;  // empty for local and anonymous classes
    std::string simpleName;  // empty for anonymous classes
    uint16_t access = 0;
};

struct EnclosingMethod {
    std::string className;
    std::string methodName;  // empty when not inside a method
    std::string methodDescriptor;
};

struct BootstrapMethod {
    uint16_t methodHandle = 0;          // pool index of a MethodHandle
    std::vector<uint16_t> arguments;    // pool indexes of loadable constants
};

struct RecordComponent {
    std::string name;
    std::string descriptor;
    std::string signature;
    Annotations annotations;
};

// The Module attribute of module-info.class, names in their stored form
// (packages "a/b", classes "a/b/C").
struct ModuleRequires {
    std::string module;
    uint16_t access = 0;  // 0x0020 transitive, 0x0040 static, 0x1000 synthetic, 0x8000 mandated
};

struct ModulePackages {  // an exports or opens entry
    std::string package;
    std::vector<std::string> toModules;
};

struct ModuleProvides {
    std::string service;
    std::vector<std::string> implementations;
};

struct ModuleInfo {
    std::string name;
    uint16_t access = 0;  // 0x0020 open
    std::vector<ModuleRequires> requires;
    std::vector<ModulePackages> exports;
    std::vector<ModulePackages> opens;
    std::vector<std::string> uses;
    std::vector<ModuleProvides> provides;
};

struct ClassFile {
    uint16_t minorVersion = 0;
    uint16_t majorVersion = 0;
    ConstantPool pool;
    uint16_t access = 0;
    std::string thisClass;   // internal name, e.g. "java/util/Map$Entry"
    std::string superClass;  // empty only for java/lang/Object and module-info
    std::vector<std::string> interfaces;
    std::vector<Field> fields;
    std::vector<Method> methods;

    std::string sourceFile;
    std::string signature;
    std::vector<InnerClass> innerClasses;
    std::optional<EnclosingMethod> enclosingMethod;
    std::vector<BootstrapMethod> bootstrapMethods;
    std::string nestHost;
    std::vector<std::string> nestMembers;
    std::vector<std::string> permittedSubclasses;
    std::optional<std::vector<RecordComponent>> record;
    std::optional<ModuleInfo> module;
    Annotations annotations;
    bool deprecated = false;
    bool syntheticAttribute = false;
};

}  // namespace jad
