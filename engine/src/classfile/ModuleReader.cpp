#include "classfile/ModuleReader.h"

namespace jad {

namespace {

// The name a Module or Package constant holds.
const std::string& namedEntry(ByteCursor& in, ReadContext& context, ConstantTag tag) {
    return context.utf8(context.pool().at(in.u2(), tag).a);
}

std::vector<std::string> moduleList(ByteCursor& in, ReadContext& context) {
    uint16_t count = in.u2();
    std::vector<std::string> names;
    names.reserve(in.countThatFits(count, 2));
    for (uint16_t i = 0; i < count; ++i) names.push_back(namedEntry(in, context, ConstantTag::Module));
    return names;
}

std::vector<ModulePackages> packageEntries(ByteCursor& in, ReadContext& context) {
    uint16_t count = in.u2();
    std::vector<ModulePackages> entries;
    entries.reserve(in.countThatFits(count, 6));
    for (uint16_t i = 0; i < count; ++i) {
        ModulePackages entry;
        entry.package = namedEntry(in, context, ConstantTag::Package);
        in.u2();  // flags: synthetic or mandated, nothing the source says
        entry.toModules = moduleList(in, context);
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::vector<std::string> classList(ByteCursor& in, ReadContext& context) {
    uint16_t count = in.u2();
    std::vector<std::string> names;
    names.reserve(in.countThatFits(count, 2));
    for (uint16_t i = 0; i < count; ++i) names.push_back(context.className(in.u2()));
    return names;
}

}  // namespace

ModuleInfo readModule(ByteCursor& in, ReadContext& context) {
    ModuleInfo module;
    module.name = namedEntry(in, context, ConstantTag::Module);
    module.access = in.u2();
    in.u2();  // version
    uint16_t requires = in.u2();
    module.requires.reserve(in.countThatFits(requires, 6));
    for (uint16_t i = 0; i < requires; ++i) {
        ModuleRequires entry;
        entry.module = namedEntry(in, context, ConstantTag::Module);
        entry.access = in.u2();
        in.u2();  // version
        module.requires.push_back(std::move(entry));
    }
    module.exports = packageEntries(in, context);
    module.opens = packageEntries(in, context);
    module.uses = classList(in, context);
    uint16_t provides = in.u2();
    module.provides.reserve(in.countThatFits(provides, 4));
    for (uint16_t i = 0; i < provides; ++i) {
        ModuleProvides entry;
        entry.service = context.className(in.u2());
        entry.implementations = classList(in, context);
        module.provides.push_back(std::move(entry));
    }
    return module;
}

}  // namespace jad
