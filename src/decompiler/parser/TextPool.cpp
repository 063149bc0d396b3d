#include "decompiler/parser/TextPool.h"

#include <cstring>

namespace products {
namespace zefra {
namespace decompiler {
namespace parser {

namespace {

// Released slots keep small buffers for reuse but give large ones back.
const std::size_t LARGEST_KEPT_CAPACITY = 4096;

}

TextPool::Handle TextPool::allocate()
{
    if (!_freeSlots.empty()) {
        Handle handle = _freeSlots.back();
        _freeSlots.pop_back();
        return handle;
    }
    _slots.emplace_back();
    return static_cast<Handle>(_slots.size() - 1);
}

void TextPool::appendBytes(Slot& slot, const char* bytes, std::size_t length)
{
    if (slot.holdsBrace) {
        return;
    }
    const void* brace = std::memchr(bytes, '{', length);
    if (brace != nullptr) {
        length = static_cast<std::size_t>(static_cast<const char*>(brace) - bytes) + 1;
        slot.holdsBrace = true;
    }
    slot.text.append(bytes, length);
}

TextPool::Handle TextPool::make(const char* bytes, std::size_t length)
{
    Handle handle = allocate();
    Slot& slot = _slots[static_cast<std::size_t>(handle)];
    appendBytes(slot, bytes, length);
    return handle;
}

TextPool::Handle TextPool::makeEmpty()
{
    return allocate();
}

const std::string& TextPool::text(Handle handle) const
{
    return _slots[static_cast<std::size_t>(handle)].text;
}

TextPool::Handle TextPool::append(Handle head, Handle tail)
{
    Slot& headSlot = _slots[static_cast<std::size_t>(head)];
    Slot& tailSlot = _slots[static_cast<std::size_t>(tail)];
    // Nested parentheses and casts put a short text before a long one again
    // and again; moving the short one into the long one's buffer keeps that
    // from allocating and copying the long text at every level.
    if (!headSlot.holdsBrace && headSlot.text.size() < tailSlot.text.size()) {
        tailSlot.text.insert(0, headSlot.text);
        release(head);
        return tail;
    }
    appendBytes(headSlot, tailSlot.text.data(), tailSlot.text.size());
    release(tail);
    return head;
}

TextPool::Handle TextPool::appendLiteral(Handle head, const char* literal)
{
    appendBytes(_slots[static_cast<std::size_t>(head)], literal, std::strlen(literal));
    return head;
}

void TextPool::release(Handle handle)
{
    Slot& slot = _slots[static_cast<std::size_t>(handle)];
    if (slot.text.capacity() > LARGEST_KEPT_CAPACITY) {
        std::string().swap(slot.text);
    }
    slot.text.clear();
    slot.holdsBrace = false;
    _freeSlots.push_back(handle);
}

}
}
}
}
