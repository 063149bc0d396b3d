// Generic signatures as the Java text they came from, for the comment above
// a declaration: "<K> Map<K, List<V>> index(K key)".
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace jad {

// "class Box<T extends Number> implements Comparable<Box<T>>"; `keyword` is
// "class" or "interface". Nothing when the signature is malformed.
std::optional<std::string> classSignatureText(const std::string& signature, const std::string& keyword,
                                              const std::string& name);
// "List<String> names"
std::optional<std::string> fieldSignatureText(const std::string& signature, const std::string& name);
// "<T> T first(List<? extends T> list) throws E"; a constructor's has no
// result type.
std::optional<std::string> methodSignatureText(const std::string& signature, const std::string& name,
                                               const std::vector<std::string>& parameterNames, bool isConstructor);

}  // namespace jad
