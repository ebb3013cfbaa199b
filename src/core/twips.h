// Window layouts are given in twips, 15 to the pixel at 96 dpi.
#pragma once

namespace kolde_sub {

constexpr int twips_per_pixel = 15;
// Twips to pixels, rounded half away from zero.
constexpr int px(int twips) { return (twips + (twips >= 0 ? 7 : -7)) / twips_per_pixel; }
// Pixels to twips.
constexpr int tw(int pixels) { return pixels * twips_per_pixel; }

}  // namespace kolde_sub
