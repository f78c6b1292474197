#include "platform/vb_random.h"
#include "tests/support/korvel_test.h"

#include <vector>

using VbRandomTest = KorvelTest;

namespace {

std::vector<float> draw(int count)
{
    std::vector<float> values;
    for (int i = 0; i < count; ++i) {
        values.push_back(Rnd());
    }
    return values;
}

} // namespace

TEST_F(VbRandomTest, UnseededRunGivesTheRuntimesFirstNumbers)
{
    // The runtime's sequence for a generator that was never seeded.
    EXPECT_NEAR(Rnd(), 0.7055475, 1e-7);
    EXPECT_NEAR(Rnd(), 0.5334240, 1e-7);
    EXPECT_NEAR(Rnd(), 0.5795186, 1e-7);
}

TEST_F(VbRandomTest, ValuesStayInTheHalfOpenUnitInterval)
{
    double sum = 0;
    for (float value : draw(100000)) {
        ASSERT_GE(value, 0.0f);
        ASSERT_LT(value, 1.0f);
        sum += value;
    }
    EXPECT_NEAR(sum / 100000, 0.5, 0.01);
}

TEST_F(VbRandomTest, SameSeedRepeatsAndOtherSeedsDiffer)
{
    Randomize(42);
    const auto first = draw(5);
    resetRandom();
    Randomize(42);
    EXPECT_EQ(draw(5), first);
    resetRandom();
    Randomize(43);
    EXPECT_NE(draw(5), first);
}

TEST_F(VbRandomTest, ColourIndexDrawCoversTheWholeRange)
{
    // The loaders' Int(r * 5) + 9 must reach every light palette entry.
    bool seen[5] = {};
    for (float value : draw(1000)) {
        seen[int(value * 5)] = true;
    }
    for (bool hit : seen) {
        EXPECT_TRUE(hit);
    }
}
