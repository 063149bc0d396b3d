#include "decl/parts/TypeReferences.h"

#include "classfile/Descriptor.h"
#include "classfile/Signature.h"
#include "classfile/SignatureCache.h"

namespace jad {

namespace {

void addName(std::string_view name, ClassNameSet& into) {
    if (!name.empty() && into.find(name) == into.end()) into.emplace(name);
}

void addClassName(const std::string& name, ClassNameSet& into) {
    if (name.empty()) return;
    if (name[0] != '[') return addName(name, into);
    const JavaType type = typeOfClassName(name);
    if (type.base == 'L') addName(type.className, into);
}

// A descriptor from the pool may be a field's or a method's.
void addDescriptor(const std::string& descriptor, ClassNameSet& into) {
    thread_local std::vector<std::string_view> names;
    descriptorClassNames(descriptor, names);
    for (std::string_view name : names) addName(name, into);
}

// The entries only a bootstrap method's own handle uses (LambdaMetafactory
// and its descriptor): the output shows what the call site makes instead.
std::set<uint16_t> bootstrapOnlyEntries(const ClassFile& file) {
    std::set<uint16_t> entries;
    for (const auto& bootstrap : file.bootstrapMethods) {
        const Constant& handle = file.pool.at(bootstrap.methodHandle);
        const Constant& ref = file.pool.at(handle.b);
        entries.insert(ref.a);
        entries.insert(ref.b);
    }
    // javac lists the bootstrap's Lookup class and its outer class among the
    // inner classes too.
    for (uint16_t i = 1; i < file.pool.count() && !file.bootstrapMethods.empty(); ++i) {
        const Constant& entry = file.pool.at(i);
        if (entry.tag != ConstantTag::Class) continue;
        const std::string& name = file.pool.utf8(entry.a);
        if (name == "java/lang/invoke/MethodHandles$Lookup" || name == "java/lang/invoke/MethodHandles") {
            entries.insert(i);
        }
    }
    return entries;
}

void addPool(const ClassFile& file, ClassNameSet& into) {
    const ConstantPool& pool = file.pool;
    std::set<uint16_t> skipped = bootstrapOnlyEntries(file);
    for (uint16_t i = 1; i < pool.count(); ++i) {
        if (skipped.count(i)) continue;
        const Constant& entry = pool.at(i);
        switch (entry.tag) {
        case ConstantTag::Class: addClassName(pool.utf8(entry.a), into); break;
        case ConstantTag::NameAndType: addDescriptor(pool.utf8(entry.b), into); break;
        case ConstantTag::MethodType: addDescriptor(pool.utf8(entry.a), into); break;
        default: break;
        }
    }
}

}  // namespace

void collectReferencedClasses(const ClassFile& file, ClassNameSet& into) {
    addClassName(file.thisClass, into);
    addClassName(file.superClass, into);
    for (const auto& name : file.interfaces) addClassName(name, into);
    for (const auto& field : file.fields) addDescriptor(field.descriptor, into);
    for (const auto& method : file.methods) {
        addDescriptor(method.descriptor, into);
        for (const auto& name : method.exceptions) addClassName(name, into);
        if (!method.code) continue;
        for (const auto& local : method.code->locals) addDescriptor(local.descriptor, into);
        for (const auto& handler : method.code->handlers) addClassName(handler.catchType, into);
    }
    addPool(file, into);
}

namespace {

void addClassSignature(const std::string& text, std::vector<std::string>& names) {
    if (text.empty()) return;
    if (auto signature = cachedClassSignature(text)) {
        collectClassNames(signature->typeParameters, names);
        collectClassNames(signature->superclass, names);
        for (const auto& type : signature->interfaces) collectClassNames(type, names);
    }
}

void addFieldSignature(const std::string& text, std::vector<std::string>& names) {
    if (text.empty()) return;
    if (auto type = cachedFieldSignature(text)) collectClassNames(*type, names);
}

void addMethodSignature(const std::string& text, std::vector<std::string>& names) {
    if (text.empty()) return;
    if (auto signature = cachedMethodSignature(text)) {
        collectClassNames(signature->typeParameters, names);
        for (const auto& type : signature->parameters) collectClassNames(type, names);
        collectClassNames(signature->result, names);
        for (const auto& type : signature->exceptions) collectClassNames(type, names);
    }
}

}  // namespace

void collectSignatureClasses(const ClassFile& file, ClassNameSet& into) {
    std::vector<std::string> names;
    addClassSignature(file.signature, names);
    for (const auto& field : file.fields) addFieldSignature(field.signature, names);
    for (const auto& method : file.methods) addMethodSignature(method.signature, names);
    if (file.record) {
        for (const auto& component : *file.record) addFieldSignature(component.signature, names);
    }
    for (const auto& name : names) addName(name, into);
}

}  // namespace jad
