// Annotations held as values print as the Java text a comment or a
// declaration shows: qualified types, literals, and a cut where it grows long.
#include <gtest/gtest.h>

#include "print/AnnotationText.h"

namespace jad {
namespace {

ElementValue constant(char tag, int64_t value) {
    ElementValue v;
    v.tag = tag;
    v.integer = value;
    return v;
}

ElementValue string(const std::string& text) {
    ElementValue v;
    v.tag = 's';
    v.text = text;
    return v;
}

Annotation annotation(const std::string& type, std::vector<AnnotationElement> elements = {}) {
    return Annotation{type, std::move(elements)};
}

TEST(AnnotationText, TypesAndTheSingleValueElement) {
    EXPECT_EQ(annotationText(annotation("Ljava/lang/Deprecated;")), "@Deprecated");
    EXPECT_EQ(annotationText(annotation("Ljava/lang/annotation/Documented;")), "@java.lang.annotation.Documented");
    EXPECT_EQ(annotationText(annotation("La/Outer$Tag;", {{"value", constant('I', -3)}})), "@a.Outer.Tag(-3)");
    // Named as soon as there is more than one, or the one is not `value`.
    EXPECT_EQ(annotationText(annotation("LT;", {{"value", constant('Z', 1)}, {"n", constant('J', 5)}})),
              "@T(value = true, n = 5L)");
    EXPECT_EQ(annotationText(annotation("LT;", {{"since", string("9")}})), "@T(since = \"9\")");
}

TEST(AnnotationText, EveryKindOfValue) {
    EXPECT_EQ(elementValueText(constant('C', 'x')), "'x'");
    EXPECT_EQ(elementValueText(constant('B', -1)), "-1");
    ElementValue f;
    f.tag = 'F';
    f.floatValue = 1.5f;
    EXPECT_EQ(elementValueText(f), "1.5F");
    ElementValue e;
    e.tag = 'e';
    e.enumType = "Ljava/lang/annotation/ElementType;";
    e.text = "METHOD";
    EXPECT_EQ(elementValueText(e), "java.lang.annotation.ElementType.METHOD");
    ElementValue c;
    c.tag = 'c';
    c.text = "V";
    EXPECT_EQ(elementValueText(c), "void.class");
    c.text = "[[Ljava/lang/String;";
    EXPECT_EQ(elementValueText(c), "String[][].class");
    ElementValue nested;
    nested.tag = '@';
    nested.annotation.push_back(annotation("LInner;", {{"value", string("a\"b")}}));
    ElementValue array;
    array.tag = '[';
    array.elements = {nested, e};
    EXPECT_EQ(elementValueText(array), "{@Inner(\"a\\\"b\"), java.lang.annotation.ElementType.METHOD}");
    array.elements.clear();
    EXPECT_EQ(elementValueText(array), "{}");
}

TEST(AnnotationText, LongTextsAreCut) {
    EXPECT_EQ(elementValueText(string(std::string(5000, 'a'))), "\"" + std::string(4095, 'a') + "...");
    ElementValue array;
    array.tag = '[';
    array.elements.assign(3000, constant('I', 7));
    const std::string text = elementValueText(array);
    // Cut once, where it first reached the limit; the later values add nothing.
    EXPECT_EQ(text.substr(text.size() - 4), "...}");
    EXPECT_LE(text.size(), 4102u);
    EXPECT_EQ(text.find("..."), text.size() - 4);
}

}  // namespace
}  // namespace jad
