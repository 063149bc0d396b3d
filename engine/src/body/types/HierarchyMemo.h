// What the bodies of a unit work out about the classes they use: each
// one's supertypes, and which calls might select another overload. The
// unit keeps one for all the bodies of all its classes, which ask about the
// same classes again and again; the answers depend on nothing but the
// classes the unit sees (a class's own constructors excepted, which
// Hierarchy asks its own class about).
#pragma once

#include <optional>
#include <set>
#include <string>
#include <unordered_map>

namespace jad::body {

struct HierarchyMemo {
    // Every supertype of a class, itself included; nothing when one cannot be read.
    using Supertypes = std::optional<std::set<std::string>>;
    std::unordered_map<std::string, Supertypes> supertypes;
    // Hierarchy::mayOverload's answers, by overloadKey.
    std::unordered_map<std::string, bool> overloads;
};

// The key of one mayOverload question.
inline std::string overloadKey(const std::string& cls, const std::string& name, const std::string& descriptor,
                               bool byParameters) {
    std::string key;
    key.reserve(cls.size() + name.size() + descriptor.size() + 3);
    key.append(cls).append(1, ' ').append(name).append(1, ' ').append(descriptor).append(1, byParameters ? '+' : '-');
    return key;
}

}  // namespace jad::body
