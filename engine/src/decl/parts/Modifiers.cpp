#include "decl/parts/Modifiers.h"

#include "classfile/AccessFlags.h"

namespace jad {

std::string visibility(uint16_t access) {
    if (access & access::Public) return "public ";
    if (access & access::Protected) return "protected ";
    if (access & access::Private) return "private ";
    return std::string();
}

std::string classModifiers(uint16_t access, bool member) {
    bool isInterface = access & access::Interface;
    std::string text = member ? visibility(access) : visibility(access & access::Public);
    if ((access & access::Abstract) && !isInterface) text += "abstract ";
    // Member interfaces are static by definition; classes made from enums
    // and records need the word.
    if (member && (access & access::Static) && !isInterface) text += "static ";
    if ((access & access::Final) && !isInterface) text += "final ";
    return text;
}

std::string fieldModifiers(uint16_t access, bool inInterface) {
    if (inInterface) return std::string();  // public static final by definition
    std::string text = visibility(access);
    if (access & access::Static) text += "static ";
    if (access & access::Final) text += "final ";
    if (access & access::Transient) text += "transient ";
    if (access & access::Volatile) text += "volatile ";
    return text;
}

std::string methodModifiers(uint16_t access, bool inInterface) {
    std::string text = inInterface ? visibility(access & ~access::Public) : visibility(access);
    if ((access & access::Abstract) && !inInterface) text += "abstract ";
    if (access & access::Static) text += "static ";
    if (access & access::Final) text += "final ";
    if (access & access::Synchronized) text += "synchronized ";
    if (access & access::Native) text += "native ";
    return text;
}

}  // namespace jad
