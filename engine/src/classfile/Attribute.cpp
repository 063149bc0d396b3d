#include "classfile/Attribute.h"

#include <string_view>
#include <utility>

namespace jad {

AttributeKind attributeKindOf(const std::string& name) {
    using K = AttributeKind;
    static constexpr std::pair<std::string_view, AttributeKind> known[] = {
        {"AnnotationDefault", K::AnnotationDefault},
        {"BootstrapMethods", K::BootstrapMethods},
        {"Code", K::Code},
        {"ConstantValue", K::ConstantValue},
        {"Deprecated", K::Deprecated},
        {"EnclosingMethod", K::EnclosingMethod},
        {"Exceptions", K::Exceptions},
        {"InnerClasses", K::InnerClasses},
        {"LineNumberTable", K::LineNumberTable},
        {"LocalVariableTable", K::LocalVariableTable},
        {"LocalVariableTypeTable", K::LocalVariableTypeTable},
        {"MethodParameters", K::MethodParameters},
        {"Module", K::Module},
        {"NestHost", K::NestHost},
        {"NestMembers", K::NestMembers},
        {"PermittedSubclasses", K::PermittedSubclasses},
        {"Record", K::Record},
        {"RuntimeInvisibleAnnotations", K::RuntimeInvisibleAnnotations},
        {"RuntimeInvisibleParameterAnnotations", K::RuntimeInvisibleParameterAnnotations},
        {"RuntimeVisibleAnnotations", K::RuntimeVisibleAnnotations},
        {"RuntimeVisibleParameterAnnotations", K::RuntimeVisibleParameterAnnotations},
        {"Signature", K::Signature},
        {"SourceFile", K::SourceFile},
        {"StackMapTable", K::StackMapTable},
        {"Synthetic", K::Synthetic},
    };
    for (const auto& [text, kind] : known) {
        if (name == text) return kind;
    }
    return K::Other;
}

AttributeHeader readAttributeHeader(ByteCursor& in, ReadContext& context) {
    const uint16_t nameIndex = in.u2();
    const std::string& name = context.pool().utf8(nameIndex);
    uint32_t length = in.u4();
    if (length > in.remaining()) {
        throw ClassFormatError{name + " attribute length " + std::to_string(length) + " exceeds the " +
                               std::to_string(in.remaining()) + " bytes left"};
    }
    AttributeKind& kind = context.attributeKind(nameIndex);
    if (kind == AttributeKind::Unread) kind = attributeKindOf(name);
    return AttributeHeader{name, kind, in.sub(length, name, "attribute")};
}

}  // namespace jad
