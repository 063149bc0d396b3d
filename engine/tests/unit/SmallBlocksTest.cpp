// The program's operator new (linked into this test binary too, so every
// other test runs on it): blocks are aligned, disjoint, recycled, and large
// requests still work.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

namespace {

// Sanitizer builds keep their own allocator, which quarantines freed blocks
// and aborts on impossible sizes.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool OwnAllocator = false;
#else
constexpr bool OwnAllocator = true;
#endif

bool aligned(const void* p) { return reinterpret_cast<std::uintptr_t>(p) % alignof(std::max_align_t) == 0; }

TEST(SmallBlocks, BlocksOfEverySizeAreAlignedAndDisjoint) {
    std::vector<std::pair<unsigned char*, size_t>> blocks;
    for (size_t size = 0; size <= 1100; size += 7) {
        auto* p = static_cast<unsigned char*>(::operator new(size));
        ASSERT_TRUE(aligned(p)) << size;
        std::memset(p, static_cast<int>(size & 0xff), size);
        blocks.push_back({p, size});
    }
    for (const auto& [p, size] : blocks) {
        for (size_t i = 0; i < size; ++i) ASSERT_EQ(p[i], static_cast<unsigned char>(size & 0xff)) << size;
        ::operator delete(p);
    }
}

TEST(SmallBlocks, FreedBlocksAreReusedForTheSameSize) {
    if (!OwnAllocator) GTEST_SKIP();
    void* first = ::operator new(200);
    const auto firstAddress = reinterpret_cast<std::uintptr_t>(first);
    ::operator delete(first);
    void* second = ::operator new(200);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(second), firstAddress);
    ::operator delete(second, 200);
}

TEST(SmallBlocks, ContainersAndArraysWork) {
    std::vector<std::string> names;
    for (int i = 0; i < 20000; ++i) names.push_back("java/lang/SomeRatherLongName" + std::to_string(i));
    EXPECT_EQ(names[12345], "java/lang/SomeRatherLongName12345");
    std::unique_ptr<int[]> big(new int[1 << 20]());
    big[(1 << 20) - 1] = 7;
    EXPECT_EQ(big[(1 << 20) - 1], 7);
}

TEST(SmallBlocks, ImpossibleRequestsThrow) {
    if (!OwnAllocator) GTEST_SKIP();
    volatile std::size_t huge = SIZE_MAX - 8;  // hidden from the compiler's size checks
    EXPECT_THROW(static_cast<void>(::operator new(huge)), std::bad_alloc);
    EXPECT_EQ(::operator new(huge, std::nothrow), nullptr);
}

}  // namespace
