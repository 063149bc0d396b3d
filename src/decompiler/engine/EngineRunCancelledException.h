#pragma once

#include "decompiler/engine/DecompilerEngineException.h"

namespace products {
namespace zefra {
namespace decompiler {
namespace engine {

// The run was cancelled by the user and the engine ended; nothing went wrong.
// A DecompilerEngineException, so that a caller that does not tell the two
// apart still shows no stale text.
class EngineRunCancelledException : public DecompilerEngineException {
public:
    EngineRunCancelledException() : DecompilerEngineException("The decompilation was cancelled.") {}
};

}
}
}
}
