// What the fetch of one station file hands to the display: the formatted
// report text, whether the observation file was there, the zone letter of
// the time label, and whether the report at hand is routine.
#pragma once

#include <QString>

namespace kolde_sub {

// The formatted report of the last fetched file, or the text that stands in
// for a missing one ("      NO OBSERVATION", "      NO FORECAST").
extern QString station_text;
// False after a fetch that found no observation file; true after any other.
extern bool observation_found;
// "Z", or the zone letter of the time difference when local time is on.
extern QString time_zone_letter;
// The observation at hand is a routine one (METAR), not a special (SPECI).
extern bool routine_report;

}  // namespace kolde_sub
