#include "decl/unit/UnitClasses.h"

#include "decl/parts/LocalMarks.h"
#include "decl/unit/ClassPrinter.h"
#include "print/SourceWriter.h"

namespace jad {

namespace {

void indexTree(const ClassNode& node, std::unordered_map<std::string, const ClassFile*>& index) {
    index.emplace(node.file.thisClass, &node.file);
    for (const ClassNode& member : node.members) indexTree(member, index);
    for (const ClassNode& anonymous : node.anonymous) indexTree(anonymous, index);
    for (const ClassNode& local : node.locals) indexTree(local, index);
}

std::string methodKey(const std::string& owner, const std::string& name, const std::string& descriptor) {
    return owner + "." + name + " " + descriptor;
}

void indexLocals(const ClassNode& node, std::unordered_map<std::string, const ClassNode*>& locals,
                 std::map<std::string, std::vector<std::string>>& byMethod) {
    for (const ClassNode& local : node.locals) {
        const EnclosingMethod& method = *local.file.enclosingMethod;
        locals.emplace(local.file.thisClass, &local);
        byMethod[methodKey(method.className, method.methodName, method.methodDescriptor)].push_back(local.file.thisClass);
    }
    for (const ClassNode& member : node.members) indexLocals(member, locals, byMethod);
    for (const ClassNode& anonymous : node.anonymous) indexLocals(anonymous, locals, byMethod);
    for (const ClassNode& local : node.locals) indexLocals(local, locals, byMethod);
}

}  // namespace

// Whether a field of `file` or of a class or interface it inherits from is
// named like one of `names`, or a supertype cannot be read to tell.
bool UnitClasses::fieldNamedAny(const ClassFile& file, const std::set<std::string>& names, int depth) const {
    constexpr int MaxDepth = 16;
    if (depth > MaxDepth) return true;
    for (const Field& f : file.fields) {
        if (names.count(f.name)) return true;
    }
    std::vector<std::string> supers = file.interfaces;
    if (!file.superClass.empty() && file.superClass != "java/lang/Object") supers.push_back(file.superClass);
    for (const std::string& name : supers) {
        const ClassFile* super = findType(name);
        if (!super || fieldNamedAny(*super, names, depth + 1)) return true;
    }
    return false;
}

bool UnitClasses::treeHidesAny(const ClassNode& node, const std::set<std::string>& names) const {
    if (fieldNamedAny(node.file, names, 0)) return true;
    for (const ClassNode& member : node.members) {
        if (treeHidesAny(member, names)) return true;
    }
    for (const ClassNode& anonymous : node.anonymous) {
        if (treeHidesAny(anonymous, names)) return true;
    }
    for (const ClassNode& local : node.locals) {
        if (treeHidesAny(local, names)) return true;
    }
    return false;
}

UnitClasses::UnitClasses(const SiblingFiles& siblings, const ClassNode& top, bool classPath)
    : _siblings(siblings), _package(top.file.thisClass.substr(0, top.file.thisClass.rfind('/') + 1)), _classPath(classPath) {
    // Already parsed, and what the unit prints: no need to read them again.
    indexTree(top, _tree);
    _inPlace = top.inPlaceLocals;
    indexLocals(top, _locals, _localsByMethod);
}

bool UnitClasses::inPackage(const std::string& internalName) const {
    return internalName.size() > _package.size() && internalName.compare(0, _package.size(), _package) == 0 &&
           internalName.find('/', _package.size()) == std::string::npos;
}

const ClassFile* UnitClasses::findClass(const std::string& internalName) const {
    if (!inPackage(internalName)) return nullptr;
    auto inTree = _tree.find(internalName);
    if (inTree != _tree.end()) return inTree->second;
    auto found = _read.find(internalName);
    if (found != _read.end()) return found->second.get();
    if (_read.size() >= MaxClasses) return nullptr;
    const ClassFile* file = _read.emplace(internalName, _siblings.parsed(internalName)).first->second.get();
    if (file) _types.erase(internalName);
    return file;
}

const ClassFile* UnitClasses::findType(const std::string& internalName) const {
    auto known = _types.find(internalName);
    if (known != _types.end()) return known->second;
    const ClassFile* file = typeOnce(internalName);
    // Past the bound nothing is kept, and the answer is asked for afresh.
    if (file || _declared.count(internalName)) _types.emplace(internalName, file);
    return file;
}

const ClassFile* UnitClasses::typeOnce(const std::string& internalName) const {
    auto inTree = _tree.find(internalName);
    if (inTree != _tree.end()) return inTree->second;
    auto read = _read.find(internalName);
    if (read != _read.end() && read->second) return read->second.get();
    auto found = _declared.find(internalName);
    if (found != _declared.end()) return found->second.get();
    if (_declared.size() >= MaxClasses) return nullptr;
    // Only the declarations are looked at: the code of a large sibling
    // would cost more than the body asking about it.
    auto declared = inPackage(internalName) ? _siblings.declarations(internalName) : elsewhere(internalName);
    return _declared.emplace(internalName, std::move(declared)).first->second.get();
}

// The platform's class first: the compiler looks there before the class path.
std::shared_ptr<const ClassFile> UnitClasses::elsewhere(const std::string& internalName) const {
    if (auto platform = _siblings.platformClass(internalName)) return platform;
    return _classPath ? _siblings.classPathClass(internalName) : nullptr;
}

std::optional<AnonymousClass> UnitClasses::anonymousClass(const std::string& internalName,
                                                          const AnonymousSite& site) const {
    const ClassFile* file = findClass(internalName);
    if (!file || !isAnonymousClass(*file)) return std::nullopt;
    return printAnonymousClass(*file, site, {_siblings, *this, _captures, _captureTypes, _inPlace});
}

body::HierarchyMemo* UnitClasses::hierarchyMemo(const std::string& owner) const {
    (void)owner;
    return &_hierarchy;
}

std::shared_ptr<const GenericType> UnitClasses::capturedType(const std::string& internalName, const std::string& field) const {
    auto found = _captureTypes.find(internalName);
    if (found == _captureTypes.end()) return nullptr;
    auto type = found->second.find(field);
    return type == found->second.end() ? nullptr : type->second;
}

const std::map<std::string, std::string>* UnitClasses::capturedNames(const std::string& internalName) const {
    auto found = _captures.find(internalName);
    return found == _captures.end() ? nullptr : &found->second;
}

std::vector<std::string> UnitClasses::localClassesOf(const std::string& owner, const std::string& name,
                                                     const std::string& descriptor) const {
    auto found = _localsByMethod.find(methodKey(owner, name, descriptor));
    return found == _localsByMethod.end() ? std::vector<std::string>() : found->second;
}

const LocalClassShape* UnitClasses::localClassShape(const std::string& internalName) const {
    auto found = _locals.find(internalName);
    return found == _locals.end() ? nullptr : &*found->second->inPlace;
}

std::vector<std::string> UnitClasses::localClassDeclaration(const std::string& internalName,
                                                            const std::vector<std::string>& captureNames,
                                                            const std::set<std::string>& scopeNames,
                                                            const TypeNamer& types, const PrintOptions& options) const {
    auto found = _locals.find(internalName);
    if (found == _locals.end() || _captures.count(internalName)) return {};
    const ClassNode& node = *found->second;
    if (captureNames.size() != node.inPlace->captureFields.size()) return {};
    // A field of the class (or of a class in it) would hide the local it reads.
    if (!captureNames.empty() && treeHidesAny(node, std::set<std::string>(captureNames.begin(), captureNames.end()))) {
        return {};
    }
    std::map<std::string, std::string>& names = _captures[internalName];
    for (size_t i = 0; i < captureNames.size(); ++i) names[node.inPlace->captureFields[i]] = captureNames[i];
    // The names in scope hide what the class's code names alike; listed
    // under keys no field has, they keep its locals clear of them.
    for (const std::string& name : scopeNames) names["\x01" + name] = name;
    SourceWriter out;
    printClass(out, node, types, options, this);
    _captures.erase(internalName);
    return markedDeclaration(out, internalName);
}

}  // namespace jad
