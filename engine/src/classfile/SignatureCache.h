// Generic signatures parsed once per text: the same signatures are asked for
// by every method body of a class and by the classes that use it, and a
// parse costs far more than a lookup.
#pragma once

#include <memory>
#include <string>

#include "classfile/Signature.h"

namespace jad {

// As parseClassSignature and the others, shared: null when the text is
// malformed. What a call returns stays valid for as long as it is held,
// whatever the cache forgets later. Each thread keeps its own cache.
std::shared_ptr<const ClassSignature> cachedClassSignature(const std::string& text);
std::shared_ptr<const GenericType> cachedFieldSignature(const std::string& text);
std::shared_ptr<const MethodSignature> cachedMethodSignature(const std::string& text);

}  // namespace jad
