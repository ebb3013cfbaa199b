// The report simulator: realistic METAR/SPECI and TAF reports for the
// Japanese stations of the seed airport catalogue, issued on the clock.
//
// Every station runs through a sequence of weather regimes (clear, fair,
// cloudy, rain, heavy rain, thunderstorms, fog, mist or haze, showers; snow
// where it is cold enough) that change every few hours at a minute other
// than 00 or 30. Routine observations are issued at minutes 00 and 30; a
// change into or out of bad weather issues a special at the minute of the
// change. Forecasts are issued at 05, 11, 17 and 23Z, valid 24 or 30 hours
// from the next hour, with BECMG and TEMPO groups taken from the regimes
// ahead; now and then a forecast is amended or corrected.
//
// Everything is a pure function of the station code and the time: the same
// question at the same time gives the same bytes.
#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace kolde_site::report_sim {

using TimePoint = std::chrono::system_clock::time_point;

// The station codes, in catalogue order (north to south).
const std::vector<std::string>& stations();
bool known_station(const std::string& code);

// The station's latest observation file at `now`: the stamp line
// "YYYY/MM/DD HH:MM", LF, the report, LF. Empty for an unknown station.
std::string metar_file(const std::string& code, TimePoint now);

// The station's latest forecast file at `now`: the stamp line, LF, the
// forecast with its change groups on lines of their own indented with six
// blanks, each line ending with LF. Empty for an unknown station.
std::string taf_file(const std::string& code, TimePoint now);

// The cycle file of UTC hour `hour` (0 to 23): every observation, routine
// and special, of every station issued in the most recent such hour that
// has begun by `now` and no later than `now`, ordered by issue time and
// then catalogue order. Each observation is its stamp line, the report
// and an empty line. Empty for an hour outside 0 to 23.
std::string cycle_file(int hour, TimePoint now);

}  // namespace kolde_site::report_sim
