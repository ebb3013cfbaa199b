// Periodic terms of the series for the sun's ecliptic longitude, read by the
// sunrise and sunset calculation. Element 0 is never read; triple k
// (k = 1..18) is amplitude, phase (degrees) and rate (degrees per year) at
// 3k-2, 3k-1 and 3k.
#pragma once

#include <array>

namespace kolde_sub {

extern std::array<double, 55> sun_coef;

// Fills elements 1 to 54 (at start-up).
void fill_sun_coef();
// Sets every element back to 0 (at exit).
void clear_sun_coef();

}  // namespace kolde_sub
