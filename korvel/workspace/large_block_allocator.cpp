#include "korvel/workspace/large_block_allocator.h"

#include <cstdlib>
#include <new>

#include <sys/mman.h>

namespace {

constexpr std::size_t HugePageBytes = std::size_t(2) << 20;
constexpr std::size_t LargeBlockBytes = 2 * HugePageBytes;

bool isLarge(std::size_t bytes)
{
    return bytes >= LargeBlockBytes;
}

std::size_t roundedToHugePages(std::size_t bytes)
{
    return (bytes + HugePageBytes - 1) / HugePageBytes * HugePageBytes;
}

} // namespace

void* allocateLargeBlock(std::size_t bytes)
{
    if (!isLarge(bytes)) {
        return ::operator new(bytes);
    }
    const std::size_t rounded = roundedToHugePages(bytes);
    if (rounded < bytes) {
        throw std::bad_alloc();
    }
    void* block = std::aligned_alloc(HugePageBytes, rounded);
    if (!block) {
        throw std::bad_alloc();
    }
    // Only a hint: without huge pages the block stays ordinary memory.
    ::madvise(block, rounded, MADV_HUGEPAGE);
    return block;
}

void releaseLargeBlock(void* block, std::size_t bytes)
{
    if (!isLarge(bytes)) {
        ::operator delete(block);
        return;
    }
    std::free(block);
}

std::size_t largeBlockFootprint(std::size_t bytes)
{
    return isLarge(bytes) ? roundedToHugePages(bytes) : bytes;
}
