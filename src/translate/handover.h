// Values handed between the console's mouse handlers, the word search and
// the tip and picture windows.
#pragma once

#include <QString>

#include <cstdint>

namespace kolde_sub {

// The explanation shown in the tip window.
extern QString tooltip_text;
// Screen position of the tip's top-left corner, in twips.
extern std::int32_t tooltip_x;
extern std::int32_t tooltip_y;
// The tip is showing / the next button release starts a new explanation.
extern bool tooltip_shown;
extern bool tooltip_new;

// A picture is on its way through data/figure.dat; the picture window
// clears it when it is shown.
extern bool picture_pending;

}  // namespace kolde_sub
