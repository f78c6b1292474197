#include "korvel/workspace/large_block_allocator.h"

#include "tests/support/korvel_test.h"

#include <cstdint>

namespace {

using LargeBlockAllocatorTest = KorvelTest;

constexpr std::size_t MiB = std::size_t(1) << 20;

TEST_F(LargeBlockAllocatorTest, LargeBlocksLieOnHugePageBoundariesAndCountWholeHugePages)
{
    LargeVector<double> big(5 * MiB / sizeof(double) + 1, 1.5);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(big.data()) % (2 * MiB), 0u);
    EXPECT_EQ(big.back(), 1.5);
    EXPECT_EQ(heapBytesOf(big), 6 * MiB);

    LargeVector<double> small(1000, 2.5);
    EXPECT_EQ(heapBytesOf(small), 1000 * sizeof(double));
    EXPECT_EQ(heapBytesOf(LargeVector<double>()), 0u);
    EXPECT_EQ(largeBlockFootprint(4 * MiB), 4 * MiB);
    EXPECT_EQ(largeBlockFootprint(4 * MiB - 1), 4 * MiB - 1);
}

TEST_F(LargeBlockAllocatorTest, GrowingAcrossTheThresholdKeepsTheContents)
{
    LargeVector<int> values;
    for (int i = 0; i < 3000000; ++i) {
        values.push_back(i);
    }
    values.shrink_to_fit();
    EXPECT_EQ(values[2999999], 2999999);
    EXPECT_EQ(values[123456], 123456);
}

} // namespace
