// Sunrise and sunset times of an airfield in Japan, and the built-in table of
// airport positions they are usually computed for. Plain functions without
// state.
#pragma once

#include <string>

namespace kolde_sub {

// The position record of an ICAO code: latitude DDMMSS (characters 1-6),
// longitude DDDMMSS (characters 7-13), then the elevation as the shortest text
// of its single-precision value (690, 58.4, 0). Empty for a code not in the
// table; the comparison is exact and case-sensitive.
std::string get_airport_position(const std::string& code);

// Time of the sunrise (sunset) on the given date at the given position, as
// HHMM in Japan Standard Time (UTC + 9 hours). latitude is DDMMSS north,
// longitude DDDMMSS east; only their first 6 and 7 characters are read. The
// result is empty when a position text is too short or not all digits, when
// the latitude lies beyond 90 degrees, or when the sun neither rises nor sets
// that day there.
std::string calc_sunrise(int year, int month, int day, const std::string& latitude,
                         const std::string& longitude);
std::string calc_sunset(int year, int month, int day, const std::string& latitude,
                        const std::string& longitude);

// A single-precision number as its shortest decimal text (690, 58.4, 0, -6).
std::string elevation_text(float value);

namespace sun_detail {

// Right ascension in degrees of the sun at ecliptic longitude L and obliquity
// eps (degrees), in the half-turn of L: the result lies within 90 degrees of L.
double right_ascension(double L, double eps);

}  // namespace sun_detail

}  // namespace kolde_sub
