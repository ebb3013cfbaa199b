// Periodic terms of the series for the sun's ecliptic longitude, read by the
// sunrise and sunset calculation. Element 0 is never read; triple k
// (k = 1..18) is amplitude, phase (degrees) and rate (degrees per year) at
// 3k-2, 3k-1 and 3k.
#pragma once

#include <array>

namespace kolde_sub {

inline constexpr std::array<double, 55> sun_coef = {
    0.0,
    0.0003, 241.2,  -44.43,   0.0003, 349.6,  1079.97,  0.0004, 18.1,  720.02,
    0.0004, 233.8,  229.3,    0.0004, 264.8,  315.56,   0.0005, 99.1,  -22.81,
    0.0005, 10.1,   -1.5,     0.0006, 239.1,  337.18,   0.0007, 12.1,  -30.35,
    0.0007, 53.5,   90.38,    0.0008, 208.0,  659.29,   0.0013, 211.1, 225.18,
    0.0015, 242.4,  450.37,   0.0018, 293.7,  -0.2,     0.0018, 334.2, -4452.67,
    0.002,  285.0,  329.64,   0.0048, 68.64,  -19.341,  0.02,   353.06, 719.981,
};

}  // namespace kolde_sub
