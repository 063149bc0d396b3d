#include "decl/unit/ClassPrinter.h"

#include <algorithm>
#include <climits>

#include "body/sugar/Asserts.h"
#include "body/synthetic/MemberFilter.h"
#include "classfile/AccessFlags.h"
#include "decl/members/EnumConstants.h"
#include "decl/members/MemberPrinter.h"
#include "decl/members/ModernHead.h"
#include "decl/members/ModernMembers.h"
#include "decl/members/StaticFields.h"
#include "decl/parts/AnnotationLines.h"
#include "decl/parts/Comments.h"
#include "decl/parts/ModernKinds.h"
#include "decl/parts/Modifiers.h"
#include "decl/parts/SignatureText.h"
#include "print/Names.h"

namespace jad {

namespace {

bool isInterface(const ClassNode& node) { return (node.file.access & access::Interface) != 0; }

std::string typeList(const std::vector<std::string>& names, const TypeNamer& types) {
    std::string text;
    for (const auto& name : names) {
        if (!text.empty()) text += ", ";
        text += types.className(name);
    }
    return text;
}

std::string classHead(const ClassNode& node, const TypeNamer& types) {
    const ClassFile& file = node.file;
    // The class's own flags lack private, protected and static; a member's
    // InnerClasses entry has them.
    uint16_t access = node.member ? node.access : file.access;
    std::string text = classModifiers(access, node.member);
    text += isInterface(node) ? "interface " : "class ";
    text += displayName(node.name);
    if (isInterface(node)) {
        if (!file.interfaces.empty()) text += " extends " + typeList(file.interfaces, types);
        return text;
    }
    if (!file.superClass.empty() && file.superClass != "java/lang/Object") {
        text += " extends " + types.className(file.superClass);
    }
    if (!file.interfaces.empty()) text += " implements " + typeList(file.interfaces, types);
    return text;
}

// The first source line a method's code comes from, to place member classes
// among the methods where the source had them.
int firstLine(const Method& method) {
    int line = INT_MAX;
    if (method.code) {
        for (const auto& entry : method.code->lines) line = std::min(line, static_cast<int>(entry.line));
    }
    return line;
}

int firstLine(const ClassNode& node) {
    int line = INT_MAX;
    for (const auto& method : node.file.methods) line = std::min(line, firstLine(method));
    for (const auto& member : node.members) line = std::min(line, firstLine(member));
    return line;
}

class BodyPrinter {
public:
    BodyPrinter(SourceWriter& out, const ClassNode& node, const TypeNamer& types, const PrintOptions& options,
                const UnitContext* unit, bool genericHead = false)
        : _out(out), _node(node), _types(types), _options(options), _context{node, types, options, unit, {}, {}},
          _genericHead(genericHead) {
        DecompiledBody staticInitializer;
        for (const auto& method : node.file.methods) {
            if (method.name != "<clinit>" || !method.code || isHiddenMethod(node.file, method)) continue;
            staticInitializer = staticInitializerBody(_context, method);
            _context.staticBlock = staticInitializer.lines;
            auto values = fieldInitializers(staticInitializer, node.file);
            if (values) {
                _context.fieldValues = std::move(*values);
                _staticBlockAsInitializers = true;
            }
        }
        if (_options.modern && classKind(node.file) == ClassKind::Enum) {
            EnumConstants constants = enumConstants(node.file, staticInitializer, _staticBlockAsInitializers);
            _enumConstants = std::move(constants.lines);
            _context.staticBlock = std::move(constants.staticBlock);
            _staticBlockAsInitializers = _context.staticBlock.empty();
        }
        _context.staticBlock = staticBlockLines(std::move(_context.staticBlock), trailingThrowLines(staticInitializer));
    }

    void print() {
        if (!_enumConstants.empty()) {
            separate();
            _out.lines(_enumConstants);
        }
        if (_options.fieldsFirst) fields();
        methodsAndClasses();
        if (!_options.fieldsFirst) fields();
        for (const auto& note : _node.notes) {
            separate();
            _out.line("// member class " + displayName(note));
        }
    }

private:
    void separate() {
        if (_printed) _out.blank();
        _printed = true;
    }

    void fields() {
        bool first = true;
        for (const auto& field : _node.file.fields) {
            if (isHiddenField(field)) continue;
            if (_options.modern && (isEnumConstant(_node.file, field) || isGeneratedField(_node.file, field) ||
                                    body::isDroppedAssertionFlag(_node.file, field))) {
                continue;
            }
            if (first) separate();
            first = false;
            if (_options.modern) {
                printModernField(_out, _context, field);
            } else {
                printField(_out, _context, field);
            }
        }
        // After the fields it may assign: a simple name read before its
        // declaration is a forward reference.
        if (_options.modern && !_staticBlockAsInitializers) {
            for (const auto& method : _node.file.methods) {
                if (method.name != "<clinit>" || isHiddenMethod(_node.file, method)) continue;
                separate();
                printModernMethod(_out, _context, method);
            }
        }
    }

    void methodsAndClasses() {
        size_t nextClass = 0;
        std::vector<std::pair<int, const ClassNode*>> classes;
        for (const auto& member : _node.members) classes.emplace_back(firstLine(member), &member);
        std::stable_sort(classes.begin(), classes.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (const auto& method : _node.file.methods) {
            if (isHiddenMethod(_node.file, method)) continue;
            if (_options.modern && hiddenInModern(method)) continue;
            if (method.name == "<clinit>" && (_staticBlockAsInitializers || _options.modern)) continue;
            // Methods without line numbers say nothing about where classes go.
            int line = firstLine(method);
            while (line != INT_MAX && nextClass < classes.size() && classes[nextClass].first < line) {
                memberClass(*classes[nextClass++].second);
            }
            separate();
            if (_options.modern) {
                printModernMethod(_out, _context, method);
            } else {
                printMethod(_out, _context, method);
            }
        }
        while (nextClass < classes.size()) memberClass(*classes[nextClass++].second);
    }

    // The members the language makes, and bridges for the generic
    // supertypes the head declares.
    bool hiddenInModern(const Method& method) const {
        if (isGeneratedMethod(_node.file, method)) return true;
        return _genericHead && (method.access & access::Bridge);
    }

    void memberClass(const ClassNode& member) {
        separate();
        printClass(_out, member, _types, _options, _context.unit);
    }

    SourceWriter& _out;
    const ClassNode& _node;
    const TypeNamer& _types;
    const PrintOptions& _options;
    MemberContext _context;
    bool _genericHead = false;
    bool _printed = false;
    bool _staticBlockAsInitializers = false;
    std::vector<std::string> _enumConstants;
};

void printModernClass(SourceWriter& out, const ClassNode& node, const TypeNamer& types, const PrintOptions& options,
                      const UnitContext* unit) {
    out.lines(annotationLines(node.file.annotations, node.file));
    ModernHead head = modernClassHead(node, types, unit);
    out.lines(head.notes);
    out.line(head.text + " {");
    out.indent();
    BodyPrinter(out, node, types, options, unit, head.generic).print();
    out.dedent();
    out.line("}");
}

}  // namespace

void printClass(SourceWriter& out, const ClassNode& node, const TypeNamer& types, const PrintOptions& options,
                const UnitContext* unit) {
    if (options.modern) return printModernClass(out, node, types, options, unit);
    out.lines(annotationComments(node.file.annotations, node.file.deprecated));
    const char* keyword = isInterface(node) ? "interface" : "class";
    out.lines(signatureComment(node.file.signature,
                               classSignatureText(node.file.signature, keyword, displayName(node.name))));
    out.line(classHead(node, types) + " {");
    out.indent();
    BodyPrinter(out, node, types, options, unit).print();
    out.dedent();
    out.line("}");
}

}  // namespace jad
