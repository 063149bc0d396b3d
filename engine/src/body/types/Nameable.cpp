#include "body/types/Nameable.h"

#include "classfile/AccessFlags.h"

namespace jad::body {

namespace {

std::string packageOf(const std::string& cls) {
    const size_t slash = cls.rfind('/');
    return slash == std::string::npos ? std::string() : cls.substr(0, slash);
}

// The name up to its first '$': where the class's private members are seen.
std::string topLevelOf(const std::string& cls) {
    const size_t slash = cls.rfind('/');
    const size_t dollar = cls.find('$', slash == std::string::npos ? 0 : slash + 1);
    return dollar == std::string::npos ? cls : cls.substr(0, dollar);
}

const InnerClass* ownEntry(const ClassFile& file) {
    for (const InnerClass& inner : file.innerClasses) {
        if (inner.innerClass == file.thisClass) return &inner;
    }
    return nullptr;
}

constexpr int MaxNesting = 32;

}  // namespace

bool nameableFrom(const Hierarchy& hierarchy, const std::string& cls, const ClassFile& from) {
    const bool samePackage = packageOf(cls) == packageOf(from.thisClass);
    std::string current = cls;
    for (int depth = 0; depth < MaxNesting; ++depth) {
        const ClassFile* file = hierarchy.find(current);
        if (!file) return true;
        const InnerClass* entry = ownEntry(*file);
        if (!entry) return samePackage || (file->access & access::Public);
        if (entry->outerClass.empty() || (entry->access & access::Protected)) return true;
        if (entry->access & access::Private) {
            if (topLevelOf(current) != topLevelOf(from.thisClass)) return false;
        } else if (!(entry->access & access::Public) && !samePackage) {
            return false;
        }
        current = entry->outerClass;
    }
    return true;
}

}  // namespace jad::body
