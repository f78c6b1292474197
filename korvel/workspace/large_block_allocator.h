#pragma once
// An allocator for the big arrays of a loaded layer (its vertices, its
// feature table, a file read whole). Blocks of 4 MiB and more are laid on
// 2 MiB boundaries and marked for transparent huge pages: the memory of a
// layer of millions of vertices then arrives in a few dozen page faults
// instead of tens of thousands, which on virtual machines cost more than
// reading the file. Smaller blocks come from the ordinary allocator. Where
// the system offers no huge pages the blocks are ordinary memory.
#include <cstddef>
#include <memory>
#include <vector>

// Returns memory for `bytes`, or throws std::bad_alloc.
void* allocateLargeBlock(std::size_t bytes);
void releaseLargeBlock(void* block, std::size_t bytes);
// The bytes a block of `bytes` really takes (large ones are rounded up to
// whole huge pages).
std::size_t largeBlockFootprint(std::size_t bytes);

template <typename T> class LargeBlockAllocator
{
public:
    using value_type = T;

    LargeBlockAllocator() = default;
    template <typename U> LargeBlockAllocator(const LargeBlockAllocator<U>&) noexcept { }

    T* allocate(std::size_t n)
    {
        if (n > static_cast<std::size_t>(-1) / sizeof(T)) {
            throw std::bad_array_new_length();
        }
        return static_cast<T*>(allocateLargeBlock(n * sizeof(T)));
    }
    void deallocate(T* block, std::size_t n) noexcept { releaseLargeBlock(block, n * sizeof(T)); }

    friend bool operator==(const LargeBlockAllocator&, const LargeBlockAllocator&) { return true; }
};

template <typename T> using LargeVector = std::vector<T, LargeBlockAllocator<T>>;

// Heap bytes a large vector holds, spare capacity included.
template <typename T> std::size_t heapBytesOf(const LargeVector<T>& vector)
{
    return vector.capacity() == 0 ? 0 : largeBlockFootprint(vector.capacity() * sizeof(T));
}
