#include "reports/display_state.h"

namespace kolde_sub {

QString station_text;
bool observation_found = false;
QString time_zone_letter = QStringLiteral("Z");
bool routine_report = false;

}  // namespace kolde_sub
