#include "decl/unit/AnonymousClasses.h"

#include <algorithm>

#include "classfile/AccessFlags.h"
#include "classfile/Signature.h"
#include "decl/members/MemberPrinter.h"
#include "decl/parts/AnonymousConstructor.h"
#include "decl/parts/GenericText.h"
#include "decl/unit/ClassPrinter.h"
#include "print/SourceWriter.h"

namespace jad {

namespace {

// Each level prints a class inside a method body inside a class; a class
// file can make that recursion endless.
constexpr int MaxNesting = 8;
thread_local int g_nesting = 0;

// Constructor parameters the printed members may not read: the source had
// no name for them.
const char* const Placeholder = "jadConstructorArgument";

struct NestingGuard {
    NestingGuard() { ++g_nesting; }
    ~NestingGuard() { --g_nesting; }
};

bool isOuterField(const std::string& name) { return name.rfind("this$", 0) == 0; }

const Field* fieldNamed(const ClassFile& file, const std::string& name) {
    for (const Field& f : file.fields) {
        if (f.name == name) return &f;
    }
    return nullptr;
}

const Method* onlyConstructor(const ClassFile& file) {
    const Method* found = nullptr;
    for (const Method& m : file.methods) {
        if (m.name != "<init>") continue;
        if (found) return nullptr;
        found = &m;
    }
    return found;
}

// A superclass that is an inner member class takes its outer instance first.
bool isInnerMember(const ClassFile& file, const std::string& name) {
    for (const InnerClass& inner : file.innerClasses) {
        if (inner.innerClass != name) continue;
        return !inner.outerClass.empty() && !inner.simpleName.empty() &&
               !(inner.access & (access::Static | access::Interface));
    }
    return false;
}

class AnonymousPrinter {
public:
    AnonymousPrinter(const ClassFile& file, const AnonymousSite& site, const AnonymousPrinting& printing)
        : _file(file), _site(site), _printing(printing) {}

    AnonymousClass run() {
        if (g_nesting >= MaxNesting) return failed("anonymous classes nested too deeply");
        const Method* constructor = onlyConstructor(_file);
        if (!constructor || constructor->descriptor != _site.descriptor) return failed("anonymous class without its constructor");
        auto plan = readAnonymousConstructor(_file, *constructor);
        auto type = methodTypeOf(constructor->descriptor);
        if (!plan || !type || type->parameters.size() != _site.arguments.size()) {
            return failed("anonymous class constructor does more than store and pass on its arguments");
        }
        if (!superType() || !captures(*plan) || !superArguments(*plan)) return _result;
        NestingGuard guard;
        _printing.captures[_file.thisClass] = _captured;
        _printing.captureTypes[_file.thisClass] = _capturedTypes;
        if (plan->initializer && !initializer(*constructor, *plan)) {
            _printing.captures.erase(_file.thisClass);
            _printing.captureTypes.erase(_file.thisClass);
            return _result;
        }
        members();
        _printing.captures.erase(_file.thisClass);
        _printing.captureTypes.erase(_file.thisClass);
        return _result;
    }

private:
    AnonymousClass failed(const std::string& reason) {
        _result.failure = reason;
        return _result;
    }

    bool superType() {
        const bool object = _file.superClass == "java/lang/Object";
        if (_file.interfaces.size() > 1 || (!object && !_file.interfaces.empty())) {
            failed("anonymous class with more than one supertype");
            return false;
        }
        _result.superType = _file.interfaces.empty() ? _file.superClass : _file.interfaces[0];
        _interface = !_file.interfaces.empty();
        if (_site.options.modern) _result.superTypeText = genericSuperType();
        return true;
    }

    // With type arguments where the signature gives them: the class's
    // members are declared generic too, its bridges hidden.
    std::string genericSuperType() const {
        if (_file.signature.empty()) return std::string();
        auto signature = parseClassSignature(_file.signature);
        if (!signature || !signature->typeParameters.empty()) return std::string();
        const GenericType& type = _interface ? (signature->interfaces.size() == 1 ? signature->interfaces[0]
                                                                                  : signature->superclass)
                                             : signature->superclass;
        if (type.className() != _result.superType) return std::string();
        return genericTypeName(type, _site.types);
    }

    // The name each stored parameter goes by inside the class.
    bool captures(const AnonymousConstructor& plan) {
        for (size_t i = 0; i < plan.storedIn.size(); ++i) {
            const std::string& field = plan.storedIn[i];
            const AnonymousArgument& argument = _site.arguments[i];
            if (field.empty()) {
                _names.push_back(Placeholder + std::to_string(i));
                continue;
            }
            if (isOuterField(field)) {
                if (argument.kind != AnonymousArgument::Kind::This) {
                    failed("anonymous class of another instance");
                    return false;
                }
                const Field* declared = fieldNamed(_file, field);
                auto outer = declared ? parseFieldDescriptor(declared->descriptor) : std::nullopt;
                _names.push_back(outer && outer->base == 'L' ? _site.types.className(outer->className) + ".this"
                                                              : Placeholder + std::to_string(i));
                continue;
            }
            std::string name = argument.kind == AnonymousArgument::Kind::Local ? argument.name : std::string();
            // The class's own field of that name would hide the local.
            if (!name.empty() && fieldNamed(_file, name)) name.clear();
            _captured[field] = name;
            if (!name.empty() && argument.generic) _capturedTypes[field] = argument.generic;
            _names.push_back(name.empty() ? Placeholder + std::to_string(i) : name);
        }
        return true;
    }

    bool superArguments(const AnonymousConstructor& plan) {
        std::vector<size_t> passed = plan.superArguments;
        if (!passed.empty() && isInnerMember(_file, _file.superClass)) {
            // The implicit outer instance of an inner superclass: `this` here.
            if (_site.arguments[passed[0]].kind != AnonymousArgument::Kind::This) {
                failed("anonymous subclass of an inner class of another instance");
                return false;
            }
            passed.erase(passed.begin());
        }
        if (_interface && !passed.empty()) {
            failed("anonymous class passes arguments to an interface");
            return false;
        }
        for (size_t index : passed) {
            if (!plan.storedIn[index].empty()) {
                failed("anonymous class passes on a value it captures");
                return false;
            }
        }
        _result.superArguments = passed;
        return true;
    }

    // The constructor's code after the super call: the instance
    // initializers and initialized fields of the class, as one block.
    bool initializer(const Method& constructor, const AnonymousConstructor&) {
        BodyRequest request{_file, constructor, _site.types, _site.options, _names, &_printing.unit};
        const DecompiledBody body = decompileMethod(request);
        const bool superCall = !body.statements.empty() && body.statements[0].kind == TopStatement::Kind::SuperCall;
        const std::vector<std::string> lines = superCall ? body.linesFrom(1) : body.lines;
        for (size_t i = superCall ? 1 : 0; i < body.statements.size(); ++i) {
            for (size_t parameter : body.statements[i].parameters) {
                if (parameter < _names.size() && _names[parameter].rfind(Placeholder, 0) == 0) {
                    failed("anonymous class initializer reads a constructor argument");
                    return false;
                }
            }
        }
        if (lines.empty()) return true;
        // An initializer must be able to complete normally.
        const bool throws = trailingThrowLines(body) > 0;
        _initializer.push_back("    {");
        if (throws) _initializer.push_back("        if (true) {");
        for (const std::string& line : lines) _initializer.push_back((throws ? "            " : "        ") + line);
        if (throws) _initializer.push_back("        }");
        _initializer.push_back("    }");
        return true;
    }

    void members() {
        ClassFile copy = _file;
        copy.methods.erase(std::remove_if(copy.methods.begin(), copy.methods.end(),
                                          [](const Method& m) { return m.name == "<init>"; }),
                           copy.methods.end());
        ClassNode node = _site.options.modern
                             ? buildClassTree(std::move(copy), _printing.siblings, LocalChoice{{}, _printing.inPlaceLocals})
                             : buildClassTree(std::move(copy), _printing.siblings, false);
        node.member = false;
        SourceWriter out;
        printClass(out, node, _site.types, _site.options, &_printing.unit);
        std::vector<std::string> lines = out.writtenLines();
        size_t head = 0;
        while (head < lines.size() && lines[head].rfind("//", 0) == 0) ++head;
        std::vector<std::string> declared;
        if (head + 2 < lines.size()) declared.assign(lines.begin() + static_cast<long>(head) + 1, lines.end() - 1);
        // With instance fields of its own the initializer comes after them: a simple
        // name read before its declaration is an illegal forward reference.
        // The fields it assigns have no initializers of their own, so the
        // order of execution is the same.
        const bool last = declaresFields();
        _result.members = last ? declared : _initializer;
        if (!_initializer.empty() && !declared.empty()) _result.members.push_back("");
        const std::vector<std::string>& rest = last ? _initializer : declared;
        _result.members.insert(_result.members.end(), rest.begin(), rest.end());
    }

    bool declaresFields() const {
        return std::any_of(_file.fields.begin(), _file.fields.end(), [](const Field& f) {
            return !isSynthetic(f) && !(f.access & access::Static);
        });
    }

    const ClassFile& _file;
    const AnonymousSite& _site;
    const AnonymousPrinting& _printing;
    AnonymousClass _result;
    bool _interface = false;
    std::vector<std::string> _names;                 // per constructor parameter
    std::map<std::string, std::string> _captured;    // capture field -> local name
    std::map<std::string, std::shared_ptr<const GenericType>> _capturedTypes;  // capture field -> its generic type
    std::vector<std::string> _initializer;
};

}  // namespace

bool isSwitchMapClass(const ClassFile& file) {
    if (file.fields.empty()) return false;
    return std::all_of(file.fields.begin(), file.fields.end(), [](const Field& f) {
        return (f.access & access::Static) && f.name.rfind("$SwitchMap$", 0) == 0;
    });
}

bool isAnonymousClass(const ClassFile& file) {
    const InnerClass* own = ownInnerEntry(file);
    return own && own->outerClass.empty() && own->simpleName.empty() && !isSwitchMapClass(file);
}

AnonymousClass printAnonymousClass(const ClassFile& file, const AnonymousSite& site, const AnonymousPrinting& printing) {
    return AnonymousPrinter(file, site, printing).run();
}

}  // namespace jad
