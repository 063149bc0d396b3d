#include "decompiler/parser/ParseStackMemory.h"

#include <algorithm>
#include <cstdlib>
#include <new>

namespace products {
namespace zefra {
namespace decompiler {
namespace parser {

namespace {

ParseStackMemory* current = nullptr;

}

ParseStackMemory::ParseStackMemory() : _previous(current)
{
    current = this;
}

ParseStackMemory::~ParseStackMemory()
{
    for (void* block : _blocks) {
        std::free(block);
    }
    current = _previous;
}

void* ParseStackMemory::allocate(std::size_t size)
{
    _blocks.reserve(_blocks.size() + 1);
    void* block = std::malloc(size);
    if (block != nullptr) {
        _blocks.push_back(block);
    }
    return block;
}

void ParseStackMemory::release(void* block)
{
    auto found = std::find(_blocks.begin(), _blocks.end(), block);
    if (found != _blocks.end()) {
        _blocks.erase(found);
    }
    std::free(block);
}

void* allocateParseStack(std::size_t size)
{
    if (current == nullptr) {
        return std::malloc(size);
    }
    try {
        return current->allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void freeParseStack(void* block)
{
    if (current == nullptr) {
        std::free(block);
        return;
    }
    current->release(block);
}

}
}
}
}
