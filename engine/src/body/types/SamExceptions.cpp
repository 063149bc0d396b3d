#include "body/types/SamExceptions.h"

#include "body/types/ClassLookup.h"
#include "classfile/AccessFlags.h"

namespace jad::body {

namespace {

// Interfaces nest no deeper than this in any real class path; a class file
// naming itself as its own superinterface stops here too.
constexpr int MaxDepth = 32;

const ClassFile* interfaceOf(const std::string& iface, const ClassFile& owner, const UnitContext* unit, bool anyClass) {
    if (!anyClass || iface == owner.thisClass) return classOf(iface, owner, unit);
    return unit ? unit->findType(iface) : nullptr;
}

const Method* declared(const std::string& iface, const std::string& name, const std::string& descriptor,
                       const ClassFile& owner, const UnitContext* unit, bool anyClass, int depth) {
    if (depth > MaxDepth) return nullptr;
    const ClassFile* file = interfaceOf(iface, owner, unit, anyClass);
    if (!file) return nullptr;
    for (const Method& m : file->methods) {
        if (m.name == name && m.descriptor == descriptor && (m.access & access::Static) == 0) return &m;
    }
    for (const std::string& super : file->interfaces) {
        if (const Method* m = declared(super, name, descriptor, owner, unit, anyClass, depth + 1)) return m;
    }
    return nullptr;
}

}  // namespace

std::vector<std::string> samExceptions(const std::string& iface, const std::string& name, const std::string& descriptor,
                                       const ClassFile& owner, const UnitContext* unit, bool anyClass) {
    const Method* m = declared(iface, name, descriptor, owner, unit, anyClass, 0);
    return m ? m->exceptions : std::vector<std::string>{};
}

}  // namespace jad::body
