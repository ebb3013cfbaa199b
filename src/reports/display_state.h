// Whether the report at hand is routine: set by the displays and the
// heartbeat's new-report detection.
#pragma once

namespace kolde_sub {

// The observation at hand is a routine one (METAR), not a special (SPECI).
extern bool routine_report;

}  // namespace kolde_sub
