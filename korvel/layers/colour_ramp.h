#pragma once
// The colour ramp of the value list: colours on a straight line in RGB from
// red (255, 0, 0) to blue (0, 0, 255), one per value.
#include <cstdint>
#include <vector>

// Colours (0x00BBGGRR) for `count` values. With N = count, value k (from 1)
// takes
//   red  = 255 + k * (0 - 255) / N,  green = 0,  blue = 0 + k * (255 - 0) / N,
// each taken to the nearest whole number, a half to the even one. So the first
// value is one step past pure red and the last is pure blue: for N = 4,
// (191, 0, 64), (128, 0, 128), (64, 0, 191), (0, 0, 255). No values, no colours.
std::vector<std::int32_t> colourRamp(int count);
