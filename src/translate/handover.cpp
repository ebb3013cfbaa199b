#include "handover.h"

namespace kolde_sub {

QString tooltip_text;
std::int32_t tooltip_x = 0;
std::int32_t tooltip_y = 0;
bool tooltip_shown = false;
bool tooltip_new = false;
bool picture_pending = false;

}  // namespace kolde_sub
