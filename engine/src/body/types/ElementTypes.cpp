#include "body/types/ElementTypes.h"

#include "classfile/Signature.h"

namespace jad::body {

namespace {

// Collection types whose one type argument is their element type.
const char* const kCollections[] = {
    "java/lang/Iterable", "java/util/Collection", "java/util/List", "java/util/Set", "java/util/SortedSet",
    "java/util/NavigableSet", "java/util/Queue", "java/util/Deque", "java/util/ArrayList", "java/util/LinkedList",
    "java/util/HashSet", "java/util/LinkedHashSet", "java/util/TreeSet", "java/util/ArrayDeque",
    "java/util/PriorityQueue", "java/util/Vector", "java/util/EnumSet",
};

// Map types whose two type arguments are the key and value types.
const char* const kMaps[] = {
    "java/util/Map", "java/util/SortedMap", "java/util/NavigableMap", "java/util/HashMap",
    "java/util/LinkedHashMap", "java/util/TreeMap", "java/util/concurrent/ConcurrentMap",
    "java/util/concurrent/ConcurrentHashMap", "java/util/EnumMap", "java/util/IdentityHashMap",
};

template <size_t N> bool isOneOf(const std::string& name, const char* const (&names)[N]) {
    for (const char* n : names) {
        if (name == n) return true;
    }
    return false;
}

// The last part's type arguments of a class type without dimensions.
const std::vector<TypeArgument>* argumentsOf(const GenericType& type) {
    if (type.kind != GenericType::Kind::Class || type.dimensions != 0 || type.parts.empty()) return nullptr;
    return &type.parts.back().arguments;
}

// The type an argument gives its elements: the type itself or the bound of `? extends`.
const GenericType* elementOf(const TypeArgument& argument) {
    return (argument.kind == '=' || argument.kind == '+') && argument.type ? argument.type.get() : nullptr;
}

const TypeParameter* findParameter(const std::vector<TypeParameter>& parameters, const std::string& name) {
    for (const TypeParameter& p : parameters) {
        if (p.name == name) return &p;
    }
    return nullptr;
}

}  // namespace

bool ElementTypes::isIterable(const std::string& className) const {
    if (isOneOf(className, kCollections)) return true;
    return _hierarchy && _hierarchy->isSubtype(objectType(className), objectType("java/lang/Iterable"));
}

bool ElementTypes::converts(const JavaType& from, const JavaType& to) const {
    if (sameType(from, to) || (to.base == 'L' && to.dimensions == 0 && to.className == "java/lang/Object")) return true;
    return _hierarchy && _hierarchy->isSubtype(from, to);
}

// A type variable erases to its first bound; only the method's own and
// its class's variables are known here.
std::optional<JavaType> ElementTypes::erasure(const GenericType& type) const {
    if (type.kind == GenericType::Kind::Primitive) return std::nullopt;
    JavaType erased;
    if (type.kind == GenericType::Kind::Class) {
        erased = objectType(type.className());
    } else {
        const TypeParameter* parameter = nullptr;
        if (!_request.method.signature.empty()) {
            auto signature = parseMethodSignature(_request.method.signature);
            if (signature) parameter = findParameter(signature->typeParameters, type.variable);
            if (parameter) {
                const GenericType* bound = parameter->classBound ? &*parameter->classBound
                                           : parameter->interfaceBounds.empty() ? nullptr : &parameter->interfaceBounds[0];
                if (!bound || bound->kind != GenericType::Kind::Class) return std::nullopt;
                erased = objectType(bound->className());
                erased.dimensions += type.dimensions;
                return erased;
            }
        }
        // A class's variable: bounds are rarely worth the lookup; Object when unbounded.
        if (_request.owner.signature.empty()) return std::nullopt;
        auto cls = parseClassSignature(_request.owner.signature);
        const TypeParameter* own = cls ? findParameter(cls->typeParameters, type.variable) : nullptr;
        if (!own) return std::nullopt;
        if (own->classBound && own->classBound->kind == GenericType::Kind::Class) {
            erased = objectType(own->classBound->className());
        } else if (!own->classBound && !own->interfaceBounds.empty() &&
                   own->interfaceBounds[0].kind == GenericType::Kind::Class) {
            erased = objectType(own->interfaceBounds[0].className());
        } else {
            return std::nullopt;
        }
    }
    erased.dimensions += type.dimensions;
    return erased;
}

// The generic type the output declares for a parameter or a field read.
std::optional<GenericType> ElementTypes::declaredType(const Expr& e) const {
    if (e.kind == ExprKind::Local && e.var && e.var->kind == VarKind::Parameter) {
        if (_request.method.signature.empty()) return std::nullopt;
        auto signature = parseMethodSignature(_request.method.signature);
        auto erased = methodTypeOf(_request.method.descriptor);
        // Inner-class constructors leave synthetic parameters out of the signature.
        if (!signature || !erased || signature->parameters.size() != erased->parameters.size()) return std::nullopt;
        for (size_t i = 0; i < _params.size() && i < signature->parameters.size(); ++i) {
            if (_params[i] == e.var) return signature->parameters[i];
        }
        return std::nullopt;
    }
    if (e.kind == ExprKind::Field) {
        // Through a raw receiver an instance field's type is erased: only `this`'s own.
        const bool own = e.owner == _request.owner.thisClass;
        if (!e.isStatic && !(own && !e.args.empty() && e.args[0]->kind == ExprKind::This)) return std::nullopt;
        const ClassFile* cls = own ? &_request.owner : (_hierarchy ? _hierarchy->find(e.owner) : nullptr);
        if (!cls) return std::nullopt;
        for (const Field& f : cls->fields) {
            if (f.name == e.name && !f.signature.empty()) {
                if (!own) return std::nullopt;  // another class's variables are not ours to bound
                return parseFieldSignature(f.signature);
            }
        }
    }
    return std::nullopt;
}

bool ElementTypes::fit(const Expr& iterable, const JavaType& element) const {
    const GenericType* elementType = nullptr;
    std::optional<GenericType> declared;
    if (iterable.kind == ExprKind::Invoke && !iterable.isStatic && iterable.args.size() == 1 &&
        (iterable.name == "keySet" || iterable.name == "values" || iterable.name == "entrySet") &&
        (iterable.descriptor == "()Ljava/util/Set;" || iterable.descriptor == "()Ljava/util/Collection;") &&
        isOneOf(iterable.owner, kMaps)) {
        // The views of a map: its keys, its values, or Map.Entry.
        declared = declaredType(*iterable.args[0]);
        const auto* arguments = declared ? argumentsOf(*declared) : nullptr;
        if (!arguments || arguments->size() != 2 || !isOneOf(declared->className(), kMaps)) return false;
        if (iterable.name == "entrySet") return sameType(element, objectType("java/util/Map$Entry"));
        elementType = elementOf((*arguments)[iterable.name == "keySet" ? 0 : 1]);
    } else {
        declared = declaredType(iterable);
        const auto* arguments = declared ? argumentsOf(*declared) : nullptr;
        if (!arguments || arguments->size() != 1 || !isOneOf(declared->className(), kCollections)) return false;
        elementType = elementOf((*arguments)[0]);
    }
    if (!elementType) return false;
    auto erased = erasure(*elementType);
    return erased && converts(*erased, element);
}

}  // namespace jad::body
