#include "platform/vb_random.h"

#include <QTime>

#include <bit>
#include <cstdint>

namespace {

constexpr std::uint32_t kStartState = 0x50000;
constexpr std::uint32_t kStateMask = 0xFFFFFF;

std::uint32_t g_state = kStartState;

} // namespace

float Rnd()
{
    g_state = (g_state * 0x43FD43FDu + 0xC39EC3u) & kStateMask;
    return float(g_state) / float(kStateMask + 1);
}

void Randomize()
{
    const QTime now = QTime::currentTime();
    Randomize(now.msecsSinceStartOfDay() / 1000.0);
}

void Randomize(double seed)
{
    const auto high = std::uint32_t(std::bit_cast<std::uint64_t>(seed) >> 32);
    const std::uint32_t folded = (high ^ (high >> 16)) & 0xFFFF;
    g_state = (g_state & 0xFF) | (folded << 8);
}

void resetRandom()
{
    g_state = kStartState;
}
