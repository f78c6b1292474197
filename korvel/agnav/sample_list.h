#pragma once
// The per-sample lists of a flight log. A day's logs hold millions of
// samples, so a list can reach many megabytes; such a list is placed on
// transparent huge pages where the kernel offers them (madvise), so that
// filling it costs one page fault per 2 MB instead of one per 4 KB. On
// virtual machines, where every fault traps to the hypervisor, that is most
// of the time a load takes. Small lists come from the ordinary allocator.
// The lists behave as std::vector in every other way.
#include <cstddef>
#include <cstdlib>
#include <limits>
#include <memory>
#include <new>
#include <vector>

#include <sys/mman.h>

template <typename T> class LargeBlockAllocator
{
public:
    using value_type = T;

    LargeBlockAllocator() = default;
    template <typename U> LargeBlockAllocator(const LargeBlockAllocator<U>&) noexcept { }

    T* allocate(std::size_t n)
    {
        if (n > std::numeric_limits<std::size_t>::max() / sizeof(T)) {
            throw std::bad_array_new_length();
        }
        const std::size_t bytes = n * sizeof(T);
        if (bytes < HugeThreshold) {
            return std::allocator<T>().allocate(n);
        }
        const std::size_t rounded = (bytes + HugePage - 1) / HugePage * HugePage;
        void* block = std::aligned_alloc(HugePage, rounded);
        if (!block) {
            throw std::bad_alloc();
        }
#ifdef MADV_HUGEPAGE
        ::madvise(block, rounded, MADV_HUGEPAGE); // advice only: a refusal changes nothing
#endif
        return static_cast<T*>(block);
    }

    void deallocate(T* block, std::size_t n) noexcept
    {
        if (n * sizeof(T) < HugeThreshold) {
            std::allocator<T>().deallocate(block, n);
        } else {
            std::free(block);
        }
    }

    template <typename U> bool operator==(const LargeBlockAllocator<U>&) const noexcept
    {
        return true;
    }

private:
    static constexpr std::size_t HugePage = std::size_t(2) << 20;
    static constexpr std::size_t HugeThreshold = std::size_t(4) << 20;
};

template <typename T> using SampleList = std::vector<T, LargeBlockAllocator<T>>;
