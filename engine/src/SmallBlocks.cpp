// The jad program's operator new and delete: small blocks from free lists.
//
// Decompiling a class builds and drops hundreds of thousands of small
// objects (expression and statement nodes, type names, block vectors). Most
// are too large for the C allocator's fast bins, and freeing them took a
// third of the run time. Blocks up to MaxSmall bytes are carved from slabs
// and recycled through one free list per size class; larger ones go to
// malloc. Memory on the lists is kept for the next class, never returned:
// the peak stays that of the largest class decompiled.
//
// Linked into the program and its unit tests, not into the library (the
// fuzz target keeps the default), and left out of sanitizer builds, which
// bring their own.
#include <cstdint>
#include <cstdlib>
#include <new>

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define JAD_SMALL_BLOCKS 0
#else
#define JAD_SMALL_BLOCKS 1
#endif

#if JAD_SMALL_BLOCKS

namespace {

constexpr std::size_t Granule = 16;  // keeps every block aligned for any type
constexpr std::size_t MaxSmall = 512;
constexpr std::size_t ClassCount = MaxSmall / Granule;
constexpr std::size_t SlabBytes = 64 * 1024;
constexpr std::uint64_t LargeBlock = UINT64_MAX;

// Before each block: its size class, or LargeBlock. A whole granule, so the
// block after it stays aligned.
struct alignas(Granule) Header {
    std::uint64_t sizeClass;
};
static_assert(sizeof(Header) == Granule, "a header is one granule");

struct FreeBlock {
    FreeBlock* next;
};

// Plain data, so the per-thread copy needs no constructor or destructor.
struct Pools {
    FreeBlock* free[ClassCount];
    char* slab;
    std::size_t slabLeft;
};

thread_local Pools t_pools;

void* largeBlock(std::size_t size) {
    if (size > SIZE_MAX - sizeof(Header)) return nullptr;
    auto* header = static_cast<Header*>(std::malloc(sizeof(Header) + size));
    if (!header) return nullptr;
    header->sizeClass = LargeBlock;
    return header + 1;
}

void* carve(Pools& pools, std::size_t sizeClass) {
    const std::size_t bytes = sizeof(Header) + (sizeClass + 1) * Granule;
    if (pools.slabLeft < bytes) {
        // The rest of the old slab (less than one block) is left unused.
        auto* slab = static_cast<char*>(std::malloc(SlabBytes));
        if (!slab) return nullptr;
        pools.slab = slab;
        pools.slabLeft = SlabBytes;
    }
    auto* header = reinterpret_cast<Header*>(pools.slab);
    pools.slab += bytes;
    pools.slabLeft -= bytes;
    header->sizeClass = sizeClass;
    return header + 1;
}

inline void* allocate(std::size_t size) noexcept {
    if (size == 0) size = 1;
    if (size > MaxSmall) return largeBlock(size);
    const std::size_t sizeClass = (size - 1) / Granule;
    Pools& pools = t_pools;
    if (FreeBlock* block = pools.free[sizeClass]) {
        pools.free[sizeClass] = block->next;
        return block;
    }
    return carve(pools, sizeClass);
}

inline void release(void* p) noexcept {
    if (!p) return;
    Header* header = static_cast<Header*>(p) - 1;
    if (header->sizeClass == LargeBlock) {
        std::free(header);
        return;
    }
    Pools& pools = t_pools;
    auto* block = static_cast<FreeBlock*>(p);
    block->next = pools.free[header->sizeClass];
    pools.free[header->sizeClass] = block;
}

// Out of memory: the new-handler may free some, else bad_alloc.
void* allocateAfterFailure(std::size_t size) {
    for (;;) {
        std::new_handler handler = std::get_new_handler();
        if (!handler) throw std::bad_alloc();
        handler();
        if (void* p = allocate(size)) return p;
    }
}

inline void* allocateOrThrow(std::size_t size) {
    if (void* p = allocate(size)) return p;
    return allocateAfterFailure(size);
}

}  // namespace

void* operator new(std::size_t size) { return allocateOrThrow(size); }
void* operator new[](std::size_t size) { return allocateOrThrow(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return allocate(size); }

void operator delete(void* p) noexcept { release(p); }
void operator delete[](void* p) noexcept { release(p); }
void operator delete(void* p, std::size_t) noexcept { release(p); }
void operator delete[](void* p, std::size_t) noexcept { release(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { release(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { release(p); }

#endif  // JAD_SMALL_BLOCKS
