#include "korvel/layers/colour_ramp.h"

#include "platform/vb_colors.h"
#include "platform/vb_numbers.h"

namespace {

constexpr double StartRed = 255.0;
constexpr double StartBlue = 0.0;
constexpr double EndRed = 0.0;
constexpr double EndBlue = 255.0;

} // namespace

std::vector<std::int32_t> colourRamp(int count)
{
    std::vector<std::int32_t> colours;
    if (count <= 0) {
        return colours;
    }
    const double redStep = (EndRed - StartRed) / count;
    const double blueStep = (EndBlue - StartBlue) / count;
    colours.reserve(std::size_t(count));
    for (int k = 1; k <= count; ++k) {
        // CInt rounds a half to the even neighbour, as the runtime did.
        colours.push_back(RGB(CInt(StartRed + k * redStep), 0, CInt(StartBlue + k * blueStep)));
    }
    return colours;
}
