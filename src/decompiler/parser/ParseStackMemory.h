#pragma once

#include <cstddef>
#include <vector>

namespace products {
namespace zefra {
namespace decompiler {
namespace parser {

// Owns the blocks that the parse loop allocates for its grown stacks, so
// that they are released even when an exception leaves the loop. One object
// is in charge while it exists; the loop's allocation calls go to it.
class ParseStackMemory {
public:
    ParseStackMemory();
    ~ParseStackMemory();
    ParseStackMemory(const ParseStackMemory&) = delete;
    ParseStackMemory& operator=(const ParseStackMemory&) = delete;

    void* allocate(std::size_t size);
    void release(void* block);

private:
    std::vector<void*> _blocks;
    ParseStackMemory* _previous;
};

// The parse loop's allocator; null when the memory cannot be had.
void* allocateParseStack(std::size_t size);
void freeParseStack(void* block);

}
}
}
}
