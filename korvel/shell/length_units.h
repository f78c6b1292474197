#pragma once
// Feet in a metre: the one factor KORVEL converts lengths with, wherever a
// distance, a swath or a width is shown in U.S. units.
inline constexpr double FeetPerMetre = 3.2808;
