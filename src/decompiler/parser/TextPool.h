#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace products {
namespace zefra {
namespace decompiler {
namespace parser {

// The texts of the parse loop's semantic values. The loop's stacks hold
// plain handles, so they can be grown by copying; the pool owns the strings
// and frees whatever is left when the parse ends on any path.
//
// A record's name is cut before its first "{", so nothing appended after a
// "{" can ever be seen: a text stops growing once it holds one. This keeps
// method bodies and array initializers from being copied again and again.
class TextPool {
public:
    using Handle = std::int32_t;

    Handle make(const char* bytes, std::size_t length);
    Handle makeEmpty();
    const std::string& text(Handle handle) const;

    // The head's text followed by the tail's, under whichever of the two
    // handles is returned; the other one is released.
    Handle append(Handle head, Handle tail);
    Handle appendLiteral(Handle head, const char* literal);
    void release(Handle handle);

private:
    struct Slot {
        std::string text;
        bool holdsBrace = false;
    };

    Handle allocate();
    void appendBytes(Slot& slot, const char* bytes, std::size_t length);

    std::vector<Slot> _slots;
    std::vector<Handle> _freeSlots;
};

}
}
}
}
