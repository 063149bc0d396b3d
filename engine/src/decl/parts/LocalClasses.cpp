#include "decl/parts/LocalClasses.h"

#include <map>

#include "body/structure/Declare.h"
#include "classfile/AccessFlags.h"
#include "classfile/Signature.h"

namespace jad {

bool isCaptureField(const Field& f) { return isSynthetic(f) && f.name.rfind("val$", 0) == 0; }

namespace {

// The Utf8 entries a String constant uses: renaming those would change a literal.
std::set<uint16_t> literalTexts(const ConstantPool& pool) {
    std::set<uint16_t> texts;
    for (uint16_t i = 1; i < pool.count(); ++i) {
        const Constant& c = pool.at(i);
        if (c.tag == ConstantTag::String) texts.insert(c.a);
    }
    return texts;
}

const Method* enclosingMethodOf(const ClassFile& local, const ClassFile& enclosing) {
    if (!local.enclosingMethod || local.enclosingMethod->methodName.empty()) return nullptr;
    for (const Method& m : enclosing.methods) {
        if (m.name == local.enclosingMethod->methodName && m.descriptor == local.enclosingMethod->methodDescriptor) return &m;
    }
    return nullptr;
}

// "<T:...;U:...>" at the start of a method signature, or empty.
std::string typeParameterText(const std::string& signature) {
    if (signature.empty() || signature[0] != '<') return std::string();
    int depth = 0;
    for (size_t i = 0; i < signature.size(); ++i) {
        if (signature[i] == '<') ++depth;
        if (signature[i] == '>' && --depth == 0) return signature.substr(0, i + 1);
    }
    return std::string();
}

bool namesVariable(const std::string& signature, const std::vector<TypeParameter>& variables) {
    for (const TypeParameter& v : variables) {
        if (signature.find("T" + v.name + ";") != std::string::npos) return true;
    }
    return false;
}

bool mentionsAny(const ClassFile& file, const std::vector<TypeParameter>& variables) {
    if (namesVariable(file.signature, variables)) return true;
    for (const Field& f : file.fields) {
        if (namesVariable(f.signature, variables)) return true;
    }
    for (const Method& m : file.methods) {
        if (namesVariable(m.signature, variables)) return true;
    }
    return false;
}

// The class signature javac would have written for the class's erased supertypes.
std::string plainClassSignature(const ClassFile& file) {
    std::string text = "L" + (file.superClass.empty() ? std::string("java/lang/Object") : file.superClass) + ";";
    for (const std::string& i : file.interfaces) text += "L" + i + ";";
    return text;
}

}  // namespace

bool adoptMethodTypeParameters(ClassFile& local, const ClassFile& enclosing) {
    const Method* method = enclosingMethodOf(local, enclosing);
    if (!method || (!local.signature.empty() && local.signature[0] == '<')) return false;
    const std::string parameters = typeParameterText(method->signature);
    auto signature = parameters.empty() ? std::nullopt : parseMethodSignature(method->signature);
    if (!signature || signature->typeParameters.empty() || !mentionsAny(local, signature->typeParameters)) return false;
    local.signature = parameters + (local.signature.empty() ? plainClassSignature(local) : local.signature);
    return true;
}

bool isLocalClassOf(const ClassFile& file, const std::string& enclosing) {
    return file.enclosingMethod && file.enclosingMethod->className == enclosing;
}

bool hasOuterInstance(const ClassFile& file) {
    if (!file.enclosingMethod) return false;
    const std::string outer = "L" + file.enclosingMethod->className + ";";
    for (const Field& f : file.fields) {
        if (isSynthetic(f) && f.name.rfind("this$", 0) == 0 && f.descriptor == outer) return true;
    }
    return false;
}

std::string distinctName(const std::string& simpleName, const std::set<std::string>& taken) {
    if (!taken.count(simpleName)) return simpleName;
    for (int n = 2;; ++n) {
        std::string candidate = simpleName + std::to_string(n);
        if (!taken.count(candidate)) return candidate;
    }
}

void declareAsMember(ClassFile& file, const std::string& local, const std::string& outer, const std::string& name,
                     uint16_t access) {
    for (InnerClass& inner : file.innerClasses) {
        if (inner.innerClass != local) continue;
        inner.outerClass = outer;
        inner.simpleName = name;
        inner.access = access;
    }
}

std::map<std::string, std::string> exposeCapturedFields(ClassFile& file) {
    std::set<std::string> taken;
    for (const Field& f : file.fields) taken.insert(f.name);
    std::map<std::string, std::string> renamed;
    int fallback = 0;
    for (Field& f : file.fields) {
        if (!isCaptureField(f)) continue;
        std::string base = f.name.substr(4);
        if (!body::isValidIdentifier(base)) base = "captured" + std::to_string(fallback++);
        std::string name = distinctName(base, taken);
        taken.insert(name);
        renamed[f.name] = name;
        f.name = name;
        f.access = static_cast<uint16_t>((f.access & ~access::Synthetic) | access::Final);
        f.syntheticAttribute = false;
    }
    if (renamed.empty()) return renamed;
    // The code names the fields through the pool.
    const std::set<uint16_t> literals = literalTexts(file.pool);
    std::vector<Constant> entries(1);  // slot 0 is never used
    for (uint16_t i = 1; i < file.pool.count(); ++i) {
        Constant c = file.pool.at(i);
        auto found = c.tag == ConstantTag::Utf8 && !literals.count(i) ? renamed.find(c.utf8) : renamed.end();
        if (found != renamed.end()) c.utf8 = found->second;
        entries.push_back(std::move(c));
    }
    file.pool = ConstantPool(std::move(entries));
    return renamed;
}

void renameFieldRefs(ClassFile& file, const std::string& owner, const std::map<std::string, std::string>& renamed) {
    if (renamed.empty()) return;
    std::vector<Constant> entries(1);
    for (uint16_t i = 1; i < file.pool.count(); ++i) entries.push_back(file.pool.at(i));
    auto entry = [&](uint16_t i, ConstantTag tag) -> const Constant* {
        return i > 0 && i < entries.size() && entries[i].tag == tag ? &entries[i] : nullptr;
    };
    bool changed = false;
    const size_t count = entries.size();
    for (size_t i = 1; i < count; ++i) {
        if (entries[i].tag != ConstantTag::Fieldref || entries.size() + 2 > 0xffff) continue;
        const Constant* cls = entry(entries[i].a, ConstantTag::Class);
        const Constant* clsName = cls ? entry(cls->a, ConstantTag::Utf8) : nullptr;
        const Constant* nat = entry(entries[i].b, ConstantTag::NameAndType);
        const Constant* name = nat ? entry(nat->a, ConstantTag::Utf8) : nullptr;
        if (!clsName || !name || clsName->utf8 != owner) continue;
        auto found = renamed.find(name->utf8);
        if (found == renamed.end()) continue;
        // a new name-and-type for this reference alone
        const uint16_t descriptor = nat->b;
        Constant text;
        text.tag = ConstantTag::Utf8;
        text.utf8 = found->second;
        entries.push_back(std::move(text));
        Constant pair;
        pair.tag = ConstantTag::NameAndType;
        pair.a = static_cast<uint16_t>(entries.size() - 1);
        pair.b = descriptor;
        entries.push_back(std::move(pair));
        entries[i].b = static_cast<uint16_t>(entries.size() - 1);
        changed = true;
    }
    if (changed) file.pool = ConstantPool(std::move(entries));
}

}  // namespace jad
