#include "classfile/SignatureCache.h"

#include <unordered_map>

namespace jad {

namespace {

// Past this many texts of one kind a thread starts again with an empty
// cache: a class's signatures come back together, an old class's seldom.
constexpr size_t MaxRemembered = 2048;

template <class Parsed>
using Remembered = std::unordered_map<std::string, std::shared_ptr<const Parsed>>;

template <class Parsed, class Parse>
std::shared_ptr<const Parsed> remembered(Remembered<Parsed>& cache, const std::string& text, Parse parse) {
    auto found = cache.find(text);
    if (found != cache.end()) return found->second;
    if (cache.size() >= MaxRemembered) cache.clear();
    std::shared_ptr<const Parsed> parsed;
    if (auto value = parse(text)) parsed = std::make_shared<const Parsed>(std::move(*value));
    cache.emplace(text, parsed);
    return parsed;
}

}  // namespace

std::shared_ptr<const ClassSignature> cachedClassSignature(const std::string& text) {
    thread_local Remembered<ClassSignature> cache;
    return remembered(cache, text, parseClassSignature);
}

std::shared_ptr<const GenericType> cachedFieldSignature(const std::string& text) {
    thread_local Remembered<GenericType> cache;
    return remembered(cache, text, parseFieldSignature);
}

std::shared_ptr<const MethodSignature> cachedMethodSignature(const std::string& text) {
    thread_local Remembered<MethodSignature> cache;
    return remembered(cache, text, parseMethodSignature);
}

}  // namespace jad
