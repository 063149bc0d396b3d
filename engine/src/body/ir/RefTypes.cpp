#include "body/ir/RefTypes.h"

#include "body/ir/Ir.h"

namespace jad::body {

namespace {

bool isObject(const JavaType& t) { return t.dimensions == 0 && t.base == 'L' && t.className == "java/lang/Object"; }

JavaType withDimensions(JavaType t, int more) {
    t.dimensions += more;
    return t;
}

// The one non-Object type every use asks for, if they agree on one that an
// indexed local can have.
const JavaType* agreedAsk(const RefEvidence& ev) {
    const JavaType* agreed = nullptr;
    for (const JavaType& t : ev.asked) {
        if (!t.isReference() || isObject(t)) continue;
        if (agreed && !sameType(*agreed, t)) return nullptr;
        agreed = &t;
    }
    if (agreed && ev.array && !agreed->isArray()) return nullptr;
    return agreed;
}

// Widens the element types that stores put other types into.
JavaType widenForStores(JavaType type, const RefEvidence& ev) {
    for (const auto& [depth, value] : ev.stores) {
        if (depth < 1 || type.dimensions < depth || !value.isReference()) continue;
        const JavaType element = withDimensions(type, -depth);
        if (!element.isReference() || isObject(element) || sameType(element, value)) continue;
        type = withDimensions(commonType(element, value), depth);
    }
    return type;
}

}  // namespace

JavaType commonType(const JavaType& a, const JavaType& b) {
    if (sameType(a, b)) return a;
    if (a.isArray() && b.isArray()) {
        const JavaType ea = a.elementType();
        const JavaType eb = b.elementType();
        if (ea.isReference() && eb.isReference()) return withDimensions(commonType(ea, eb), 1);
    }
    return objectType("java/lang/Object");
}

RefDecision decideReference(const JavaType& current, const RefEvidence& ev) {
    const JavaType* asked = agreedAsk(ev);
    if (ev.tested && !ev.array) return {asked ? *asked : objectType("java/lang/Object"), false};
    if (ev.values.empty()) {
        if (asked) return {*asked, false};
        return {current, !ev.inexact && !isObject(current)};
    }
    bool same = true;
    JavaType type = ev.values[0];
    for (const JavaType& t : ev.values) {
        same = same && sameType(t, ev.values[0]);
        type = commonType(type, t);
    }
    const JavaType widened = widenForStores(type, ev);
    const bool exact = same && sameType(widened, type) && !ev.inexact && !isObject(type);
    if (!exact && asked) return {*asked, false};
    return {widened, exact};
}

}  // namespace jad::body
