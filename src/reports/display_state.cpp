#include "reports/display_state.h"

namespace kolde_sub {

bool routine_report = false;

}  // namespace kolde_sub
